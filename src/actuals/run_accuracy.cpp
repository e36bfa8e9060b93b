#include "actuals/run_accuracy.h"

#include "actuals/accuracy.h"
#include "actuals/accuracy_report.h"
#include "config/whole_file.h"

namespace kov::actuals {

std::vector<std::string> writeAccuracy(const ActualsFile& actuals, const CsvRecords& series, int firstYear,
                                       const std::string& folder, std::string& error) {
    const Accuracy accuracy = compareWithActuals(actuals, series, firstYear);
    return replaceFilesIn(folder,
                          {{AccuracyTextName, accuracyText(actuals, accuracy, firstYear)},
                           {AccuracyCsvName, accuracyCsv(accuracy)}},
                          error);
}

} // namespace kov::actuals
