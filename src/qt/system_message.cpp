#include "qt/system_message.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <algorithm>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/qt_text.h"
#include "qt/twips.h"

namespace folvane::gui {

namespace {

// What a title bar draws beside its caption: the window's icon on the left,
// the close button (and on some desktops more) on the right, and margins.
constexpr int kTitleBarRoom = 120;

}  // namespace

int MessageBoxWidth(const QString& caption, const QFont& font) {
    // Title bars draw their caption bold.
    QFont titleFont = font;
    titleFont.setBold(true);
    const int captionWidth = QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarRoom;
    // No narrower than the program's own message window without a picture.
    return std::max(captionWidth, TwipsSize(2970, 1140).width());
}

void ShowMessageBox(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ToQt(form::window_text::kProductName), text,
                    QMessageBox::Ok, owner, FixedDialogFlags(true));
    box.setObjectName(QStringLiteral("MessageBox"));
    // The box sizes itself to what its layout holds. A text as short as
    // "書出し終了" left it too narrow for its own caption beside the title
    // bar's buttons: an empty row as wide as the caption needs widens it.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(MessageBoxWidth(box.windowTitle(), box.font()), 0,
                                      QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace folvane::gui
