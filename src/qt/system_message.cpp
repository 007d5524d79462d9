#include "qt/system_message.h"

#include <QMessageBox>

#include "form/window_texts.h"
#include "qt/qt_text.h"

namespace folvane::gui {

void ShowMessageBox(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ToQt(form::window_text::kProductName), text,
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

}  // namespace folvane::gui
