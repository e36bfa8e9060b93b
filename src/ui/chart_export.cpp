#include "ui/chart_export.h"

#include "reports/graphs/comparison_chart.h"
#include "ui/prompts.h"

#include <QString>

namespace kov::ui {

bool exportComparisonChart(QWidget* parent, Prompts& prompts, const scenarios::CompareChart& chart) {
    static const QString filter =
        QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf|");
    const QString path = prompts.saveFileName(parent, QString::fromStdString(chart.fileStem) + QStringLiteral(".png"),
                                              filter, QStringLiteral("png"), QStringLiteral("Export Chart"));
    if (path.isEmpty()) return false;
    if (reports::saveComparisonChart(chart, path.toStdString())) return true;
    prompts.message(parent, QStringLiteral("The chart could not be written to ") + path, Icon::Stop);
    return false;
}

} // namespace kov::ui
