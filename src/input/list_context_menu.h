// What the lists' context menu does to the list it was opened on: copy the
// selected entries as text, or remove them. Both work on the selection as it
// stands and change nothing else.
#pragma once

#include <QString>

class QListWidget;

namespace folvane::gui {

// The selected entries from top to bottom, separated by CR LF, with one
// more CR LF at the end; a lone CR LF when nothing is selected. The
// separator goes in only once the collected text is no longer empty, so an
// empty first entry is followed by the next without one.
QString SelectedEntriesText(const QListWidget& list);

// Removes the selected entries, from the bottom up.
void RemoveSelectedEntries(QListWidget& list);

}  // namespace folvane::gui
