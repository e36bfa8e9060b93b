#pragma once
// Draws a LineChart with Qt Charts, off screen: as an image, into a file whose
// name's suffix chooses the format (BMP, PNG, JPEG, SVG; BMP for any other),
// or into a chart view of the desktop program.
#include "reports/graphs/line_chart.h"

#include <QChart>
#include <QColor>
#include <QImage>

#include <memory>
#include <string>

class QChartView;

namespace kov::reports {

/// The suffix of a file name in lower case ("svg"), empty when it has none.
QString lowerSuffix(const std::string& path);

/// The colour of line i of a chart (fixed, so every chart of a run agrees).
QColor lineColour(int index);

/// The chart with its axes, title, legend and lines, plot area fixed.
std::unique_ptr<QChart> makeChart(const LineChart& content);

/// The chart drawn into a 400 x 250 image.
QImage renderChart(const LineChart& content);

/// Writes the chart to path; false when the file could not be written.
bool saveChart(const LineChart& content, const std::string& path);

/// Replaces the chart shown by view (the run dialog's live graph).
void showChart(QChartView& view, const LineChart& content);

} // namespace kov::reports
