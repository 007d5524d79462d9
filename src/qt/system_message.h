// The system message box titled "Folvane" with only an OK button.
#pragma once

#include <QString>

class QFont;
class QWidget;

namespace folvane::gui {

void ShowMessageBox(QWidget* owner, const QString& text);

// The least width of that box: its caption whole beside the title bar's
// icon and buttons, and no narrower than the program's own message window.
int MessageBoxWidth(const QString& caption, const QFont& font);

}  // namespace folvane::gui
