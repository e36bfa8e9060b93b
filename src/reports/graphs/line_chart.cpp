#include "reports/graphs/line_chart.h"

namespace kov::reports {

double pointX(int i, int n) {
    return n <= 1 ? PlotLeft : PlotLeft + PlotWidth * static_cast<double>(i) / static_cast<double>(n - 1);
}

double pointY(double v, const LineChart& chart) {
    return PlotTop + PlotHeight * (chart.yMax - v) / (chart.yMax - chart.yMin);
}

} // namespace kov::reports
