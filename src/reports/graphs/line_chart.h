#pragma once
// What one line chart shows, independent of the library that draws it: the
// geometry every chart of the system shares, the title, the lines and the
// vertical scale.
#include <string>
#include <vector>

namespace kov::reports {

constexpr int ChartWidth = 400;
constexpr int ChartHeight = 250;
constexpr int PlotLeft = 40;
constexpr int PlotTop = 20;
constexpr int PlotWidth = 350;
constexpr int PlotHeight = 200;
constexpr int LegendLeft = 50;
constexpr int LegendTop = 30;
/// One x label is shown every this many points (each year at its January).
constexpr int LabelStep = 12;

struct ChartLine {
    std::string name; ///< empty: the line has no legend entry
    std::vector<double> values;
};

struct LineChart {
    std::string title;
    std::vector<ChartLine> lines;
    std::vector<std::string> xLabels; ///< one per point
    double yMin = -1.0;
    double yMax = 1000.0;
};

/// Horizontal pixel of point i of n on the plot area.
double pointX(int i, int n);
/// Vertical pixel of value v on the plot area of a chart.
double pointY(double v, const LineChart& chart);

} // namespace kov::reports
