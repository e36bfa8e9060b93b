#include "reports/graphs/comparison_chart.h"

#include "config/staged_file.h"
#include "reports/common/qt_application.h"
#include "reports/common/utf8.h"
#include "reports/graphs/chart_image.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLegend>
#include <QLineSeries>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScatterSeries>
#include <QValueAxis>
#ifdef KOVARY_HAVE_SVG
#include <QSvgGenerator>
#endif

#include <algorithm>
#include <cmath>
#include <limits>

namespace kov::reports {
namespace {

constexpr int Width = 1000;
constexpr int Height = 560;

QString qtext(const std::string& s) { return QString::fromUtf8(toUtf8(s).c_str()); }

/// The month's middle on a scale of years: month 1 of 2025 at 2025.04.
double monthX(int firstYear, std::size_t m) { return firstYear + (static_cast<double>(m) + 0.5) / 12.0; }

QValueAxis* valueAxis(QChart& chart, const QString& title, double lo, double hi, Qt::Alignment side) {
    auto* axis = new QValueAxis(&chart);
    if (!(hi > lo)) hi = lo + 1;
    axis->setRange(lo, hi);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(title);
    chart.addAxis(axis, side);
    return axis;
}

std::unique_ptr<QChart> makeComparison(const scenarios::CompareChart& c) {
    ensureQtApplication();
    auto chart = std::make_unique<QChart>();
    chart->setTitle(qtext(c.title));
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(14);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);

    const std::size_t months = c.monthly.empty() ? 0 : c.monthly.front().size();
    const int years = static_cast<int>(months / 12);
    auto* x = new QValueAxis(chart.get());
    x->setRange(c.firstYear, c.firstYear + std::max(years, 1));
    x->setTickCount(std::max(years, 1) + 1);
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTitleText(QStringLiteral("Year (each label at 1 January)"));
    chart->addAxis(x, Qt::AlignBottom);

    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    double dlo = 0, dhi = 0;
    for (std::size_t r = 0; r < c.monthly.size(); ++r)
        for (std::size_t m = 0; m < c.monthly[r].size(); ++m) {
            lo = std::min(lo, c.monthly[r][m]);
            hi = std::max(hi, c.monthly[r][m]);
            if (r > 0 && m < c.monthly[0].size()) {
                dlo = std::min(dlo, c.monthly[r][m] - c.monthly[0][m]);
                dhi = std::max(dhi, c.monthly[r][m] - c.monthly[0][m]);
            }
        }
    for (double a : c.actuals)
        if (std::isfinite(a)) {
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
    if (lo > hi) lo = hi = 0;
    QValueAxis* y = valueAxis(*chart, qtext(c.yTitle), std::max(0.0, lo - 0.05 * (hi - lo)), hi + 0.05 * (hi - lo),
                              Qt::AlignLeft);
    QValueAxis* dy = c.monthly.size() > 1
                         ? valueAxis(*chart, QStringLiteral("Difference from the base (dashed)"), dlo, dhi, Qt::AlignRight)
                         : nullptr;

    for (std::size_t r = 0; r < c.monthly.size(); ++r) {
        auto* line = new QLineSeries(chart.get());
        line->setName(qtext(c.names[r]));
        QPen pen(lineColour(static_cast<int>(r)));
        pen.setWidth(r == 0 ? 3 : 2);
        line->setPen(pen);
        for (std::size_t m = 0; m < c.monthly[r].size(); ++m) line->append(monthX(c.firstYear, m), c.monthly[r][m]);
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    for (std::size_t r = 1; r < c.monthly.size() && dy; ++r) {
        auto* diff = new QLineSeries(chart.get());
        diff->setName(qtext(c.names[r] + " less base"));
        QPen pen(lineColour(static_cast<int>(r)));
        pen.setWidth(2);
        pen.setStyle(Qt::DashLine);
        diff->setPen(pen);
        for (std::size_t m = 0; m < c.monthly[r].size() && m < c.monthly[0].size(); ++m)
            diff->append(monthX(c.firstYear, m), c.monthly[r][m] - c.monthly[0][m]);
        chart->addSeries(diff);
        diff->attachAxis(x);
        diff->attachAxis(dy);
    }
    if (!c.actuals.empty()) {
        auto* points = new QScatterSeries(chart.get());
        points->setName(QStringLiteral("Actual"));
        points->setMarkerSize(7);
        points->setColor(Qt::black);
        for (std::size_t m = 0; m < c.actuals.size(); ++m)
            if (std::isfinite(c.actuals[m])) points->append(monthX(c.firstYear, m), c.actuals[m]);
        chart->addSeries(points);
        points->attachAxis(x);
        points->attachAxis(y);
    }
    return chart;
}

QString suffixOf(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? QString() : QString::fromStdString(path.substr(dot + 1)).toLower();
}

bool render(const scenarios::CompareChart& content, const std::string& to, const QString& suffix) {
    QChartView view(makeComparison(content).release());
    view.setRenderHint(QPainter::Antialiasing, true);
    view.resize(Width, Height);
    view.chart()->resize(Width, Height);
    (void)view.grab(); // lays the chart out
    if (suffix == QStringLiteral("pdf")) {
        QPdfWriter pdf(QString::fromStdString(to));
        pdf.setPageSize(QPageSize(QSizeF(Width * 0.75, Height * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(qtext(content.title));
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        view.render(&painter);
        return painter.end();
    }
#ifdef KOVARY_HAVE_SVG
    if (suffix == QStringLiteral("svg")) {
        QFile file(QString::fromStdString(to));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(Width, Height));
        svg.setViewBox(QRect(0, 0, Width, Height));
        svg.setResolution(96);
        svg.setTitle(qtext(content.title));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        view.render(&painter);
        painter.end();
        return file.error() == QFileDevice::NoError && file.flush();
    }
#endif
    return view.grab().toImage().save(QString::fromStdString(to), "PNG");
}

} // namespace

bool saveComparisonChart(const scenarios::CompareChart& chart, const std::string& path) {
    StagedFile staged(path);
    if (!staged.ok() || !staged.closeStream()) return false;
    return render(chart, staged.writePath(), suffixOf(path)) && staged.commit();
}

} // namespace kov::reports
