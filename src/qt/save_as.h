// The Save-As dialog as both saves show it.
#pragma once

#include <QString>

class QFileDialog;

namespace folvane::gui {

// Two file types, "SizeList.txt" proposed every time, a question before
// replacing a file; opening in `folder` unless it is empty.
void ConfigureSaveAs(QFileDialog& dialog, const QString& folder);

}  // namespace folvane::gui
