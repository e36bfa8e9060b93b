#include "reports/graphs/live_chart.h"

#include "reports/graphs/chart_image.h"
#include "reports/graphs/graph_content.h"

namespace kov::reports {

std::unique_ptr<QChart> makeLiveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels) {
    return makeChart(liveTotalsChart(totals, monthLabels));
}

QImage renderLiveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels) {
    return renderChart(liveTotalsChart(totals, monthLabels));
}

void showLiveTotalsChart(QChartView& view, const Series& totals, const std::vector<std::string>& monthLabels) {
    showChart(view, liveTotalsChart(totals, monthLabels));
}

} // namespace kov::reports
