// The questions before a graph is saved: see export_dialog.h.
#include "trend/export/view/export_dialog.h"

#include "trend/export/view/metafile_options_dialog.h"

#include <QFileDialog>

namespace tk70 {

namespace {

// The file for a format preselected in the filters; nothing on Cancel.
std::optional<std::pair<QString, ExportFormat>> askFile(QWidget *parent, ExportFormat preselected)
{
    QFileDialog dialog(parent, QStringLiteral("Save As Metafile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(exportFileFilters());
    dialog.selectNameFilter(exportFileFilter(preselected));
    // The dialog adds the suffix itself, so its overwrite question names the real file.
    dialog.setDefaultSuffix(exportSuffix(preselected));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        if (const std::optional<ExportFormat> format = exportFormatForFilter(filter))
            dialog.setDefaultSuffix(exportSuffix(*format));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const ExportFormat format = exportFormatForFilter(dialog.selectedNameFilter()).value_or(preselected);
    return std::pair{withExportSuffix(dialog.selectedFiles().constFirst(), format), format};
}

}  // namespace

std::optional<ExportRequest> askExport(QWidget *parent)
{
    CMetafileOptionsDialog options(parent);
    if (options.exec() != QDialog::Accepted)
        return std::nullopt;
    const auto file = askFile(parent, exportFormatForKind(options.kind()));
    if (!file)
        return std::nullopt;
    return ExportRequest{file->second, file->first, options.reverse()};
}

}  // namespace tk70
