#include "actuals/run_accuracy.h"

#include "actuals/accuracy.h"
#include "actuals/accuracy_report.h"
#include "config/replace_file.h"

namespace kov::actuals {

std::vector<std::string> writeAccuracy(const ActualsFile& actuals, const CsvRecords& series, int firstYear,
                                       const std::string& folder, std::string& error) {
    const Accuracy accuracy = compareWithActuals(actuals, series, firstYear);
    const std::string text = folder + "/" + AccuracyTextName, csv = folder + "/" + AccuracyCsvName;
    std::string reason;
    if (!replaceFileContents(text, accuracyText(actuals, accuracy, firstYear), &reason)) {
        error = "cannot write " + text + ": " + reason;
        return {};
    }
    if (!replaceFileContents(csv, accuracyCsv(accuracy), &reason)) {
        error = "cannot write " + csv + ": " + reason;
        return {text};
    }
    return {text, csv};
}

} // namespace kov::actuals
