#include "qt/save_as.h"

#include <QFileDialog>

#include "form/window_texts.h"
#include "qt/qt_text.h"

namespace folvane::gui {

void ConfigureSaveAs(QFileDialog& dialog, const QString& folder) {
    using namespace form::window_text;
    dialog.setObjectName(QStringLiteral("SaveAs"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QStringList filters{ToQt(kTextFilesFilter), ToQt(kAllFilesFilter)};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    // Proposed every time: the previous choice is not remembered.
    dialog.selectFile(ToQt(kProposedFileName));
}

}  // namespace folvane::gui
