#include "qt/save_as.h"

#include <QFileDialog>
#include <QFileInfo>

#include "qt/qt_text.h"

namespace folvane::gui {

namespace {

QStringList Filters(const form::SaveAsRequest& request) {
    QStringList filters;
    for (const auto& type : request.types) filters.push_back(ToQt(type.caption));
    return filters;
}

}  // namespace

void ConfigureSaveAs(QFileDialog& dialog, const form::SaveAsRequest& request) {
    dialog.setObjectName(QStringLiteral("SaveAs"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QStringList filters = Filters(request);
    dialog.setNameFilters(filters);
    const auto selected = static_cast<qsizetype>(request.selectedType);
    if (selected < filters.size()) {
        dialog.selectNameFilter(filters[selected]);
        dialog.setDefaultSuffix(ToQt(request.types[request.selectedType].defaultSuffix));
    }
    // The suffix follows the type the user picks (the dialog itself gives
    // a typed name the new type's extension). The types outlive the dialog
    // (the form's table).
    const auto types = request.types;
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, types, filters](const QString& filter) {
            const auto index = filters.indexOf(filter);
            if (index >= 0)
                dialog.setDefaultSuffix(ToQt(types[static_cast<std::size_t>(index)].defaultSuffix));
        });
    if (!request.folder.empty()) dialog.setDirectory(ToQt(request.folder));
    // Proposed every time: the previous name is not remembered.
    dialog.selectFile(ToQt(request.proposedName));
}

std::size_t SelectedSaveType(const QFileDialog& dialog, const form::SaveAsRequest& request) {
    const auto index = Filters(request).indexOf(dialog.selectedNameFilter());
    return index >= 0 ? static_cast<std::size_t>(index) : request.selectedType;
}

}  // namespace folvane::gui
