// The system message box titled "Folvane" with only an OK button.
#pragma once

#include <QString>

class QWidget;

namespace folvane::gui {

void ShowMessageBox(QWidget* owner, const QString& text);

}  // namespace folvane::gui
