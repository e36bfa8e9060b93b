#include "ui/live_chart_area.h"

#include "reports/graphs/line_chart.h"
#include "reports/graphs/live_chart.h"

#include <QChartView>
#include <QGridLayout>

namespace kov::ui {

void drawLiveTotalsChart(QWidget* chartArea, const Series& totals, const std::vector<std::string>& monthLabels) {
    if (!chartArea) return;
    auto* view = chartArea->findChild<QChartView*>(QStringLiteral("liveChart"));
    if (!view) {
        view = new QChartView(chartArea);
        view->setObjectName(QStringLiteral("liveChart"));
        // At least the size of the graph files; it grows with the dialog.
        view->setMinimumSize(reports::ChartWidth, reports::ChartHeight);
        view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        view->setFrameShape(QFrame::NoFrame);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setRenderHint(QPainter::TextAntialiasing, true);
        auto* layout = qobject_cast<QGridLayout*>(chartArea->layout());
        if (!layout && !chartArea->layout()) {
            layout = new QGridLayout(chartArea);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        if (layout) layout->addWidget(view, 0, 0);
        view->show();
    }
    reports::showLiveTotalsChart(*view, totals, monthLabels);
}

} // namespace kov::ui
