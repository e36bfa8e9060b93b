// Charts drawn large enough to read in a report: the comparison of scenarios
// (levels above, differences below) and the band of the replicates.
#include "reports/graphs/comparison_chart.h"

#include "config/staged_file.h"
#include "reports/common/qt_application.h"
#include "reports/common/utf8.h"
#include "reports/graphs/band_chart.h"
#include "reports/graphs/chart_image.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLegend>
#include <QLegendMarker>
#include <QAreaSeries>
#include <QLineSeries>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#ifdef KOVARY_HAVE_SVG
#include <QSvgGenerator>
#endif

#include <algorithm>
#include <cmath>
#include <limits>

namespace kov::reports {
namespace {

constexpr int Width = 1000;
constexpr int Height = 640;

QString qtext(const std::string& s) { return QString::fromUtf8(toUtf8(s).c_str()); }

/// The month's middle on a scale of years: month 1 of 2025 at 2025.04.
double monthX(int firstYear, std::size_t m) { return firstYear + (static_cast<double>(m) + 0.5) / 12.0; }

QValueAxis* valueAxis(QChart& chart, const QString& title, double lo, double hi, Qt::Alignment side) {
    auto* axis = new QValueAxis(&chart);
    if (!(hi > lo)) hi = lo + 1;
    axis->setRange(lo, hi);
    axis->applyNiceNumbers();
    // Whole-number labels a tick apart at least, so no two read the same.
    if (const double span = axis->max() - axis->min(); span < axis->tickCount() - 1) {
        axis->setRange(std::floor(axis->min()), std::ceil(axis->max()));
        axis->setTickCount(static_cast<int>(axis->max() - axis->min()) + 1);
    }
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(title);
    chart.addAxis(axis, side);
    return axis;
}

std::unique_ptr<QChart> baseChart(const QString& title) {
    ensureQtApplication();
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(13);
    chart->setTitleFont(titleFont);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(8, 4, 8, 4));
    return chart;
}

QValueAxis* yearAxis(QChart& chart, int firstYear, std::size_t months, const QString& title) {
    const int years = std::max(static_cast<int>(months / 12), 1);
    auto* x = new QValueAxis(&chart);
    x->setRange(firstYear, firstYear + years);
    x->setTickCount(years + 1);
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTitleText(title);
    chart.addAxis(x, Qt::AlignBottom);
    return x;
}

QLineSeries* line(QChart& chart, const QString& name, int colour, int width, QValueAxis* x, QValueAxis* y) {
    auto* series = new QLineSeries(&chart);
    series->setName(name);
    QPen pen(lineColour(colour));
    pen.setWidth(width);
    series->setPen(pen);
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

/// The p05 to p95 band of a run, shaded in its line's colour under the lines.
void shade(QChart& chart, const scenarios::ReplicateBand& band, int colour, int firstYear, QValueAxis* x,
           QValueAxis* y) {
    auto* upper = new QLineSeries(&chart);
    auto* lower = new QLineSeries(&chart);
    for (std::size_t m = 0; m < band.low.size() && m < band.high.size(); ++m) {
        upper->append(monthX(firstYear, m), band.high[m]);
        lower->append(monthX(firstYear, m), band.low[m]);
    }
    auto* area = new QAreaSeries(upper, lower);
    area->setParent(&chart);
    QColor fill = lineColour(colour);
    fill.setAlpha(55);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    chart.addSeries(area);
    area->attachAxis(x);
    area->attachAxis(y);
    // The caption says what the shading is; a marker per run would only repeat the lines'.
    for (QLegendMarker* marker : chart.legend()->markers(area)) marker->setVisible(false);
}

/// The populations: the base (thicker) and each scenario, and the observed counts.
std::unique_ptr<QChart> levels(const scenarios::CompareChart& c) {
    const std::string caption = scenarios::bandCaption(c);
    auto chart = baseChart(qtext(caption.empty() ? c.title : c.title + "; " + caption));
    chart->legend()->setAlignment(Qt::AlignBottom);
    const std::size_t months = c.monthly.empty() ? 0 : c.monthly.front().size();
    QValueAxis* x = yearAxis(*chart, c.firstYear, months, {});
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    for (const auto& run : c.monthly)
        for (double v : run) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    for (const scenarios::ReplicateBand& band : c.bands) {
        for (double v : band.low) lo = std::min(lo, v);
        for (double v : band.high) hi = std::max(hi, v);
    }
    for (double a : c.actuals)
        if (std::isfinite(a)) {
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
    if (lo > hi) lo = hi = 0;
    QValueAxis* y = valueAxis(*chart, qtext(c.yTitle), std::max(0.0, lo - 0.05 * (hi - lo)), hi + 0.05 * (hi - lo),
                              Qt::AlignLeft);
    for (std::size_t r = 0; r < c.bands.size(); ++r) shade(*chart, c.bands[r], static_cast<int>(r), c.firstYear, x, y);
    for (std::size_t r = 0; r < c.monthly.size(); ++r) {
        QLineSeries* s = line(*chart, qtext(c.names[r]), static_cast<int>(r), r == 0 ? 3 : 2, x, y);
        if (r == 0 && c.faintBase) {
            // Under the what-if, which is read against it.
            QColor pale = lineColour(0);
            pale.setAlpha(90);
            s->setPen(QPen(pale, 2));
        }
        for (std::size_t m = 0; m < c.monthly[r].size(); ++m) s->append(monthX(c.firstYear, m), c.monthly[r][m]);
    }
    if (!c.actuals.empty()) {
        auto* points = new QScatterSeries(chart.get());
        points->setName(QStringLiteral("Observed"));
        points->setMarkerSize(7);
        points->setColor(Qt::black);
        points->setBorderColor(Qt::black);
        for (std::size_t m = 0; m < c.actuals.size(); ++m)
            if (std::isfinite(c.actuals[m])) points->append(monthX(c.firstYear, m), c.actuals[m]);
        chart->addSeries(points);
        points->attachAxis(x);
        points->attachAxis(y);
    }
    return chart;
}

/// Each scenario less the base, in the scenarios' colours, around a zero line.
std::unique_ptr<QChart> differences(const scenarios::CompareChart& c) {
    auto chart = baseChart(QStringLiteral("Difference from the base"));
    chart->legend()->hide();
    const std::size_t months = c.monthly.empty() ? 0 : c.monthly.front().size();
    QValueAxis* x = yearAxis(*chart, c.firstYear, months, QStringLiteral("Year (each label at 1 January)"));
    double lo = 0, hi = 0;
    for (std::size_t r = 1; r < c.monthly.size(); ++r)
        for (std::size_t m = 0; m < c.monthly[r].size() && m < months; ++m) {
            lo = std::min(lo, c.monthly[r][m] - c.monthly[0][m]);
            hi = std::max(hi, c.monthly[r][m] - c.monthly[0][m]);
        }
    if (lo == hi) { // no difference: 0 in the middle
        lo = -1;
        hi = 1;
    }
    QValueAxis* y = valueAxis(*chart, qtext(c.differenceTitle), lo, hi, Qt::AlignLeft);
    QLineSeries* zero = line(*chart, {}, 0, 1, x, y);
    zero->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    zero->append(c.firstYear, 0);
    zero->append(c.firstYear + static_cast<double>(months) / 12.0, 0);
    for (std::size_t r = 1; r < c.monthly.size(); ++r) {
        QLineSeries* s = line(*chart, qtext(c.names[r]), static_cast<int>(r), 2, x, y);
        for (std::size_t m = 0; m < c.monthly[r].size() && m < months; ++m)
            s->append(monthX(c.firstYear, m), c.monthly[r][m] - c.monthly[0][m]);
    }
    return chart;
}

constexpr int LevelsHeight = 400;

/// Both panels, levels above differences, laid out at their sizes.
struct Panels {
    QChartView top, bottom;
    explicit Panels(const scenarios::CompareChart& c) : top(levels(c).release()), bottom(differences(c).release()) {
        for (QChartView* v : {&top, &bottom}) v->setRenderHint(QPainter::Antialiasing, true);
        top.resize(Width, LevelsHeight);
        top.chart()->resize(Width, LevelsHeight);
        bottom.resize(Width, Height - LevelsHeight);
        bottom.chart()->resize(Width, Height - LevelsHeight);
        (void)top.grab(); // lays the charts out
        (void)bottom.grab();
    }
    void paint(QPainter& painter, double scale = 1.0) {
        top.render(&painter, QRectF(0, 0, Width * scale, LevelsHeight * scale));
        bottom.render(&painter, QRectF(0, LevelsHeight * scale, Width * scale, (Height - LevelsHeight) * scale));
    }
};

/// Draws paint(painter, scale) into a PNG, SVG or PDF file of Width x height.
template <typename Paint>
bool paintInto(const std::string& to, const QString& suffix, int height, const std::string& title, Paint paint) {
    if (suffix == QStringLiteral("pdf")) {
        QPdfWriter pdf(QString::fromStdString(to));
        pdf.setPageSize(QPageSize(QSizeF(Width * 0.75, height * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(qtext(title));
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        paint(painter, pdf.width() / static_cast<double>(Width));
        return painter.end();
    }
#ifdef KOVARY_HAVE_SVG
    if (suffix == QStringLiteral("svg")) {
        QFile file(QString::fromStdString(to));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(Width, height));
        svg.setViewBox(QRect(0, 0, Width, height));
        svg.setResolution(96);
        svg.setTitle(qtext(title));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        paint(painter, 1.0);
        painter.end();
        return file.error() == QFileDevice::NoError && file.flush();
    }
#endif
    QImage image(Width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, 1.0);
    painter.end();
    return image.save(QString::fromStdString(to), "PNG");
}

bool render(const scenarios::CompareChart& content, const std::string& to, const QString& suffix) {
    Panels panels(content);
    return paintInto(to, suffix, Height, content.title,
                     [&panels](QPainter& painter, double scale) { panels.paint(painter, scale); });
}

/// The band as an area between p05 and p95, the mean as a line over it.
std::unique_ptr<QChart> band(const replicates::BandChart& c) {
    auto chart = baseChart(qtext(c.title));
    chart->legend()->setAlignment(Qt::AlignBottom);
    QValueAxis* x = yearAxis(*chart, c.firstYear, c.mean.size(), QStringLiteral("Year (each label at 1 January)"));
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    for (std::size_t m = 0; m < c.mean.size(); ++m) {
        lo = std::min(lo, c.low[m]);
        hi = std::max(hi, c.high[m]);
    }
    if (lo > hi) lo = hi = 0;
    QValueAxis* y = valueAxis(*chart, qtext(c.yTitle), std::max(0.0, lo - 0.05 * (hi - lo)), hi + 0.05 * (hi - lo),
                              Qt::AlignLeft);
    auto* upper = new QLineSeries(chart.get());
    auto* lower = new QLineSeries(chart.get());
    for (std::size_t m = 0; m < c.mean.size(); ++m) {
        upper->append(monthX(c.firstYear, m), c.high[m]);
        lower->append(monthX(c.firstYear, m), c.low[m]);
    }
    auto* area = new QAreaSeries(upper, lower);
    area->setParent(chart.get());
    area->setName(QStringLiteral("90% of replicates (p05 to p95)"));
    QColor fill = lineColour(1);
    fill.setAlpha(70);
    area->setBrush(fill);
    area->setPen(QPen(lineColour(1), 1));
    chart->addSeries(area);
    area->attachAxis(x);
    area->attachAxis(y);
    QLineSeries* mean = line(*chart, QStringLiteral("Mean"), 0, 3, x, y);
    for (std::size_t m = 0; m < c.mean.size(); ++m) mean->append(monthX(c.firstYear, m), c.mean[m]);
    return chart;
}

} // namespace

bool saveBandChart(const replicates::BandChart& chart, const std::string& path) {
    constexpr int BandHeight = 480;
    StagedFile staged(path);
    if (!staged.ok() || !staged.closeStream()) return false;
    QChartView view(band(chart).release());
    view.setRenderHint(QPainter::Antialiasing, true);
    view.resize(Width, BandHeight);
    view.chart()->resize(Width, BandHeight);
    (void)view.grab(); // lays the chart out
    return paintInto(staged.writePath(), lowerSuffix(path), BandHeight, chart.title,
                     [&view](QPainter& painter, double scale) {
                         view.render(&painter, QRectF(0, 0, Width * scale, BandHeight * scale));
                     }) &&
           staged.commit();
}

bool saveComparisonChart(const scenarios::CompareChart& chart, const std::string& path) {
    StagedFile staged(path);
    if (!staged.ok() || !staged.closeStream()) return false;
    return render(chart, staged.writePath(), lowerSuffix(path)) && staged.commit();
}

QWidget* comparisonChartWidget(const scenarios::CompareChart& chart, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The panels keep the proportions of the saved picture.
    auto* top = new QChartView(levels(chart).release(), widget);
    auto* bottom = new QChartView(differences(chart).release(), widget);
    for (QChartView* v : {top, bottom}) v->setRenderHint(QPainter::Antialiasing, true);
    layout->addWidget(top, LevelsHeight);
    layout->addWidget(bottom, Height - LevelsHeight);
    return widget;
}

} // namespace kov::reports
