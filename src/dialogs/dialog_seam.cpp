#include "dialogs/dialog_seam.h"

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/window_texts.h"

namespace folvane::gui {

namespace {

struct Script {
    bool active = false;
    std::optional<QString> nextSavePath;  // nothing: cancel
    std::int16_t nextCloseAnswer = 7;
    QList<ShownWindow> shown;
};

Script& TheScript() {
    static Script script;
    return script;
}

QString LabelText(const QDialog& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

void Press(QDialog& dialog, const char* buttonName) {
    if (auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(buttonName)))
        button->click();
}

}  // namespace

void DialogSeam::script() {
    TheScript() = Script{};
    TheScript().active = true;
}

void DialogSeam::unscript() { TheScript() = Script{}; }

bool DialogSeam::isScripted() { return TheScript().active; }

void DialogSeam::setNextSavePath(const QString& path) { TheScript().nextSavePath = path; }

void DialogSeam::setNextSaveCancel() { TheScript().nextSavePath.reset(); }

void DialogSeam::setNextCloseAnswer(std::int16_t answer) { TheScript().nextCloseAnswer = answer; }

QList<ShownWindow> DialogSeam::takeShown() {
    QList<ShownWindow> shown;
    shown.swap(TheScript().shown);
    return shown;
}

void DialogSeam::showModal(QDialog& dialog) {
    Script& script = TheScript();
    if (!script.active) {
        dialog.exec();
        return;
    }
    QString text = LabelText(dialog, "Label1");
    const QString second = LabelText(dialog, "Label2");
    if (!second.isEmpty()) text += QLatin1Char('\n') + second;
    script.shown.push_back({dialog.objectName(), text});
    // Pressing the real buttons runs the windows' own handlers.
    if (dialog.findChild<QPushButton*>(QStringLiteral("YesButton"))) {
        const std::int16_t answer = script.nextCloseAnswer;
        script.nextCloseAnswer = 7;
        if (answer == 6) Press(dialog, "YesButton");
        if (answer == 7) Press(dialog, "NoButton");
        if (dialog.isVisible()) dialog.reject();
    } else {
        Press(dialog, "OKButton");
    }
}

void DialogSeam::configureSaveAs(QFileDialog& dialog) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QStringList filters{kTextFilesFilter.toString(), kAllFilesFilter.toString()};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // Proposed every time: the previous choice is not remembered.
    dialog.selectFile(kProposedFileName.toString());
}

std::optional<QString> DialogSeam::askSavePath(QWidget* owner) {
    Script& script = TheScript();
    if (script.active) {
        std::optional<QString> answer = script.nextSavePath;
        script.nextSavePath.reset();
        script.shown.push_back({QStringLiteral("SaveAs"), answer.value_or(QString())});
        return answer;
    }
    QFileDialog dialog(owner);
    configureSaveAs(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first();
}

void DialogSeam::showSystemMessage(QWidget* owner, const QString& text) {
    Script& script = TheScript();
    if (script.active) {
        script.shown.push_back({QStringLiteral("MessageBox"), text});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kProductName.toString(), text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace folvane::gui
