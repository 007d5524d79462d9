#include "dialogs/dialog_seam.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/window_texts.h"

namespace folvane::gui {

namespace {

struct Script {
    bool active = false;
    std::optional<QString> nextSavePath;  // nothing: cancel
    std::int16_t nextCloseAnswer = 7;
    std::function<void(QDialog&)> nextModalAction;
    std::optional<QString> nextFolder;  // nothing: cancel
    QString nextPopupChoice;
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

QString Name(const QWidget* owner) { return owner ? owner->objectName() : QString(); }

// A window's owner is the widget it was made for.
QString OwnerName(const QWidget* window) { return Name(window ? window->parentWidget() : nullptr); }

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

void DialogSeam::setNextModalAction(std::function<void(QDialog&)> act) {
    TheScript().nextModalAction = std::move(act);
}

void DialogSeam::setNextFolder(const QString& path) { TheScript().nextFolder = path; }

void DialogSeam::setNextFolderCancel() { TheScript().nextFolder.reset(); }

void DialogSeam::setNextPopupChoice(const QString& itemName) {
    TheScript().nextPopupChoice = itemName;
}

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
    script.shown.push_back({dialog.objectName(), text, OwnerName(&dialog)});
    if (script.nextModalAction) {
        // Taken first: a window the action opens is answered as usual.
        const std::function<void(QDialog&)> act = std::move(script.nextModalAction);
        script.nextModalAction = nullptr;
        act(dialog);
        return;
    }
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
        script.shown.push_back({QStringLiteral("SaveAs"), answer.value_or(QString()), Name(owner)});
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
        script.shown.push_back({QStringLiteral("MessageBox"), text, Name(owner)});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kProductName.toString(), text, QMessageBox::Ok, owner);
    box.exec();
}

void DialogSeam::configureFolderPicker(QFileDialog& dialog, const QString& start) {
    dialog.setWindowTitle(kChooseFolderTitle.toString());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!start.isEmpty()) dialog.setDirectory(start);
}

std::optional<QString> DialogSeam::askFolder(QWidget* owner, const QString& start) {
    Script& script = TheScript();
    if (script.active) {
        std::optional<QString> answer = script.nextFolder;
        script.nextFolder.reset();
        script.shown.push_back({QStringLiteral("FolderPicker"), start, Name(owner)});
        return answer;
    }
    QFileDialog dialog(owner);
    configureFolderPicker(dialog, start);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first();
}

void DialogSeam::showPopup(QMenu& menu, const QPoint& globalPos) {
    Script& script = TheScript();
    if (!script.active) {
        menu.exec(globalPos);
        return;
    }
    // Records which items the user could have chosen.
    QStringList enabled;
    for (QAction* action : menu.actions())
        if (action->isEnabled()) enabled.push_back(action->objectName());
    script.shown.push_back({menu.objectName(), enabled.join(QLatin1Char(',')), OwnerName(&menu)});
    const QString choice = script.nextPopupChoice;
    script.nextPopupChoice.clear();
    if (choice.isEmpty()) return;
    for (QAction* action : menu.actions())
        if (action->objectName() == choice && action->isEnabled()) action->trigger();
}

}  // namespace folvane::gui
