#include "reports/graphs/chart_image.h"

#include "config/staged_file.h"
#include "reports/common/qt_application.h"
#include "reports/common/utf8.h"

#include <QBrush>
#include <QCategoryAxis>
#include <QChartView>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QImageWriter>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QValueAxis>
#ifdef KOVARY_HAVE_SVG
#include <QSvgGenerator>
#endif

#include <array>
#include <cmath>
#include <cstdint>
#include <set>

namespace kov::reports {

namespace {

QString qtext(const std::string& s) { return QString::fromUtf8(toUtf8(s).c_str()); }

QFont pixelFont(int pixels, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// About eight grid lines over the axis, at 1, 2 or 5 times a power of ten.
double tickStep(double span) {
    const double raw = span / 8.0;
    if (!(raw > 0.0) || !std::isfinite(raw)) return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double n = raw / magnitude;
    return (n <= 1.0 ? 1.0 : n <= 2.0 ? 2.0 : n <= 5.0 ? 5.0 : 10.0) * magnitude;
}

void addXAxis(QChart& chart, const LineChart& content, int points) {
    auto* axis = new QCategoryAxis(&chart);
    axis->setRange(0.0, points > 1 ? points - 1 : 1);
    axis->setStartValue(0.0);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    std::set<QString> used; // the axis needs distinct labels
    for (int i = 0; i < static_cast<int>(content.xLabels.size()); i += LabelStep) {
        const QString label = qtext(content.xLabels[static_cast<std::size_t>(i)]);
        if (used.insert(label).second) axis->append(label, i);
    }
    axis->setGridLineVisible(false);
    axis->setLabelsFont(pixelFont(10, false));
    axis->setLinePen(QPen(Qt::black));
    chart.addAxis(axis, Qt::AlignBottom);
}

void addYAxis(QChart& chart, const LineChart& content) {
    auto* axis = new QValueAxis(&chart);
    axis->setRange(content.yMin, content.yMax);
    const double step = tickStep(content.yMax - content.yMin);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    axis->setMinorTickCount(0);
    axis->setLabelFormat(step >= 1.0 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
    axis->setLabelsFont(pixelFont(10, false));
    axis->setGridLineColor(QColor(0xC0, 0xC0, 0xC0));
    axis->setLinePen(QPen(Qt::black));
    chart.addAxis(axis, Qt::AlignLeft);
}

void addTitle(QChart& chart, const LineChart& content) {
    auto* title = new QGraphicsSimpleTextItem(qtext(content.title), &chart);
    title->setFont(pixelFont(16, false));
    title->setBrush(Qt::black);
    const QRectF box = title->boundingRect();
    title->setPos((ChartWidth - box.width()) / 2.0, (PlotTop - box.height()) / 2.0);
}

// A horizontal legend from (50, 30), wrapping at the plot area's right edge.
void addLegend(QChart& chart, const LineChart& content) {
    const QFont font = pixelFont(12, true);
    const QFontMetricsF metrics(font);
    const double right = PlotLeft + PlotWidth;
    double x = LegendLeft, y = LegendTop;
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        if (content.lines[i].name.empty()) continue;
        const QString text = qtext(content.lines[i].name);
        const double width = 12.0 + metrics.horizontalAdvance(text) + 10.0;
        if (x > LegendLeft && x + width > right) {
            x = LegendLeft;
            y += metrics.height();
        }
        const double box = 8.0;
        auto* key = new QGraphicsRectItem(x, y + (metrics.height() - box) / 2.0, box, box, &chart);
        key->setBrush(lineColour(static_cast<int>(i)));
        key->setPen(Qt::NoPen);
        auto* label = new QGraphicsSimpleTextItem(text, &chart);
        label->setFont(font);
        label->setBrush(Qt::black);
        label->setPos(x + 12.0, y);
        x += width;
    }
}

// A view of the chart's size, laid out and ready to draw.
std::unique_ptr<QChartView> chartView(const LineChart& content) {
    ensureQtApplication();
    auto view = std::make_unique<QChartView>(makeChart(content).release());
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setBackgroundBrush(Qt::white);
    // Lines keep their exact colours, as in a bitmap chart; text stays smooth.
    view->setRenderHint(QPainter::Antialiasing, false);
    view->setRenderHint(QPainter::TextAntialiasing, true);
    view->resize(ChartWidth, ChartHeight);
    view->chart()->resize(ChartWidth, ChartHeight);
    view->chart()->setPlotArea(QRectF(PlotLeft, PlotTop, PlotWidth, PlotHeight));
    (void)view->grab(); // lays the chart out
    return view;
}


#ifdef KOVARY_HAVE_SVG
bool saveSvg(const LineChart& content, const std::string& path) {
    auto view = chartView(content);
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(ChartWidth, ChartHeight));
    svg.setViewBox(QRect(0, 0, ChartWidth, ChartHeight));
    svg.setResolution(96); // so the picture measures 400 x 250 CSS pixels
    svg.setTitle(qtext(content.title));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    view->render(&painter);
    painter.end();
    return file.error() == QFileDevice::NoError && file.flush();
}
#endif

} // namespace

QString lowerSuffix(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return QString::fromStdString(path.substr(dot + 1)).toLower();
}

QColor lineColour(int index) {
    static constexpr std::array<std::uint32_t, 16> palette{
        0xE41A1C, 0x377EB8, 0x4DAF4A, 0x984EA3, 0xFF7F00, 0xA65628, 0xF781BF, 0x17BECF,
        0xBCBD22, 0x1F3A93, 0x00A087, 0xD62F8E, 0x7B6F00, 0x6A3D9A, 0xB15928, 0x2C7C2C};
    const std::size_t n = palette.size();
    const auto i = static_cast<std::size_t>(index < 0 ? 0 : index);
    if (i < n) return QColor::fromRgb(palette[i]);
    // Beyond the palette, hues that keep moving round the circle.
    return QColor::fromHsv(static_cast<int>((i * 47U) % 360U), 200, 170 + static_cast<int>((i / n) % 3U) * 30);
}

namespace {

/// The axes and the lines, without title or legend, in the layout's own plot area.
std::unique_ptr<QChart> plainChart(const LineChart& content) {
    ensureQtApplication();
    auto chart = std::make_unique<QChart>();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setBackgroundRoundness(0.0);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setPlotAreaBackgroundVisible(false);
    chart->legend()->hide();

    int points = 0;
    for (const auto& line : content.lines) points = std::max(points, static_cast<int>(line.values.size()));
    if (points == 0) points = static_cast<int>(content.xLabels.size());
    addXAxis(*chart, content, points);
    addYAxis(*chart, content);
    const auto axes = chart->axes();

    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        auto* series = new QLineSeries(chart.get());
        QPen pen(lineColour(static_cast<int>(i)));
        pen.setWidth(2);
        series->setPen(pen);
        const auto& values = content.lines[i].values;
        for (std::size_t m = 0; m < values.size(); ++m)
            if (std::isfinite(values[m])) series->append(static_cast<double>(m), values[m]);
        chart->addSeries(series);
        for (QAbstractAxis* axis : axes) series->attachAxis(axis);
    }
    return chart;
}

} // namespace

std::unique_ptr<QChart> makeChart(const LineChart& content) {
    auto chart = plainChart(content);
    addTitle(*chart, content);
    addLegend(*chart, content);
    chart->resize(ChartWidth, ChartHeight);
    chart->setPlotArea(QRectF(PlotLeft, PlotTop, PlotWidth, PlotHeight));
    return chart;
}

void showChart(QChartView& view, const LineChart& content) {
    // The view gives up its old chart without deleting it.
    std::unique_ptr<QChart> old(view.chart());
    // A view on screen lays its chart out itself, at any size: a fixed plot
    // area there kept the lines in it while the axis moved to the view's own,
    // and a total read against the axis showed several percent less. The
    // layout places axis, lines and title together.
    auto chart = plainChart(content);
    chart->setTitleFont(pixelFont(16, false));
    chart->setTitleBrush(Qt::black);
    chart->setTitle(qtext(content.title));
    chart->setMargins(QMargins(4, 0, 12, 4)); // the last month clear of the frame
    addLegend(*chart, content);
    view.setChart(chart.release());
}

QImage renderChart(const LineChart& content) {
    auto view = chartView(content);
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool saveChart(const LineChart& content, const std::string& path) {
    // Drawn under a temporary name and put in place whole: a run stopped on
    // the way keeps the picture of the run before.
    StagedFile staged(path);
    if (!staged.ok() || !staged.closeStream()) return false;
    const std::string& to = staged.writePath();
    const QString suffix = lowerSuffix(path);
#ifdef KOVARY_HAVE_SVG
    if (suffix == QStringLiteral("svg")) return saveSvg(content, to) && staged.commit();
#endif
    QByteArray format = suffix.toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) format = "bmp";
    QImageWriter writer(QString::fromStdString(to), format);
    if (format == "jpg" || format == "jpeg") writer.setQuality(95);
    return writer.write(renderChart(content)) && staged.commit();
}

} // namespace kov::reports
