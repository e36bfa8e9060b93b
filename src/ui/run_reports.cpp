#include "ui/run_reports.h"

#include "config/run_configuration.h"
#include "reports/hooks/install_hooks.h"
#include "ui/prompts.h"

#include <QString>

namespace kov::ui {

ReportHooks runReportHooks(Prompts& prompts, QWidget* parent) {
    // The hooks belong to a run of parent's, so parent outlives them.
    const reports::ExistingWorkbookQuestion ask = [&prompts, parent](const std::string& path,
                                                                   const std::string& title)
        -> std::optional<std::string> {
        const QString chosen =
            prompts.saveFileName(parent, QString::fromStdString(path), QString::fromLatin1(WorkbookFilter),
                                 QString::fromLatin1(WorkbookSuffix), QString::fromStdString(title));
        if (chosen.isEmpty()) return std::nullopt;
        return chosen.toStdString();
    };
    return reports::standardReportHooks(ask);
}

bool takeWrittenWorkbookNames(RunConfiguration& cfg, const std::vector<WrittenWorkbook>& written) {
    bool any = false;
    for (const WrittenWorkbook& book : written) {
        if (!book.renamed || book.newName.empty()) continue;
        cfg.setValue(SecFiles, book.fileKey, book.newName);
        // Changed even when only the folder differed: the file written is not the one named.
        cfg.modified = 1;
        any = true;
    }
    return any;
}

} // namespace kov::ui
