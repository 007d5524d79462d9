#include "qt/help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <QVBoxLayout>

#include "form/window_texts.h"
#include "platform/error_reason.h"
#include "platform/help_file.h"
#include "qt/qt_text.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

namespace {

bool HasAnchor(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name)) return true;
    return false;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(ToQt(form::window_text::kProductName) + QStringLiteral(" ヘルプ"));
    // A window of its own beside the main window, as a help system's is.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setModal(false);
    setFont(WindowFont());
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 520);
}

bool HelpViewer::showTopic(const QString& file, const QString& keyword, QString* reason) {
    const QFileInfo info(file);
    QFile page(file);
    if (!info.isFile() || !page.open(QIODevice::ReadOnly)) {
        if (reason != nullptr)
            *reason = info.isDir() ? QString::fromUtf8(kNotRegularFileReason) : page.errorString();
        return false;
    }
    page.close();
    browser_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (browser_->document()->isEmpty()) return false;
    show();
    raise();
    activateWindow();
    topic_.clear();
    if (HasAnchor(*browser_->document(), keyword)) {
        topic_ = keyword;
        browser_->scrollToAnchor(keyword);
    }
    return true;
}

QString DefaultHelpFile() {
    // Beside the program in a build folder, under share/doc/folvane/ once installed.
    return ToQt(FindHelpFile(ToCore(QCoreApplication::applicationDirPath())));
}

}  // namespace folvane::gui
