// The Save-As dialog as both saves show it.
#pragma once

#include <QString>

#include "form/main_form_view.h"

class QFileDialog;

namespace folvane::gui {

// The file types the form offers, its choice selected, its name proposed,
// a question before replacing a file; opening in the request's folder
// unless it is empty. A name typed without an extension gets the selected
// type's default suffix (none for text files, as ever).
void ConfigureSaveAs(QFileDialog& dialog, const form::SaveAsRequest& request);

// The type the dialog shows selected now, as an index into the request's.
std::size_t SelectedSaveType(const QFileDialog& dialog, const form::SaveAsRequest& request);

}  // namespace folvane::gui
