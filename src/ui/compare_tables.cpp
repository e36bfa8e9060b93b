#include "ui/compare_tables.h"

#include "costs/cost_report.h"
#include "ui/copy_table.h"

#include <QHeaderView>

#include <cmath>

namespace kov::ui {
namespace {

/// The text with a plus when what it shows is above 0.
QString plusSigned(const std::string& text, bool above) {
    const QString s = QString::fromStdString(text);
    return above ? QLatin1Char('+') + s : s;
}

QString whole(double v) {
    const QString s = QString::number(v, 'f', 0);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString share(double part, double total) {
    return total > 0 ? QString::number(part / total * 100.0, 'f', 1) + QLatin1Char('%') : QString();
}

/// Starts the table over with these headings; rows come by addRow.
class Filler {
public:
    Filler(CopyTable& table, const QStringList& headings, int rows) : table_(table), columns_(static_cast<int>(headings.size())) {
        table_.clear();
        table_.setColumnCount(columns_);
        table_.setHorizontalHeaderLabels(headings);
        table_.setRowCount(rows);
    }
    /// Cells after the first `labels` are numbers, aligned right.
    void addRow(const QStringList& cells, int labels) {
        for (int col = 0; col < columns_ && col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col >= labels) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_.setItem(row_, col, item);
        }
        ++row_;
    }
    ~Filler() {
        table_.setRowCount(row_);
        table_.resizeColumnsToContents();
    }

private:
    CopyTable& table_;
    int columns_;
    int row_ = 0;
};

} // namespace

void fillCostTable(CopyTable& table, const scenarios::Comparison& c, const scenarios::CostImpacts& impacts) {
    int rows = 0;
    for (const auto& scenario : impacts)
        for (const scenarios::PopulationImpact& p : scenario) rows += static_cast<int>(p.years.size());
    Filler fill(table,
                {QStringLiteral("Scenario"), QStringLiteral("Population"), QStringLiteral("Fiscal year"),
                 QStringLiteral("Months"), QStringLiteral("Beds, base"), QStringLiteral("Beds, scenario"),
                 QStringLiteral("Difference"), QStringLiteral("Average cost"), QStringLiteral("Marginal cost")},
                rows);
    for (std::size_t s = 0; s < impacts.size() && s + 1 < c.names.size(); ++s)
        for (const scenarios::PopulationImpact& p : impacts[s])
            for (const scenarios::CostDifference& d : p.years)
                fill.addRow({QString::fromStdString(c.names[s + 1]), QString::fromStdString(p.population),
                             QStringLiteral("FY%1").arg(d.fiscalYear), QString::number(d.months),
                             QString::fromStdString(costs::people(d.baseBeds)),
                             QString::fromStdString(costs::people(d.beds)),
                             plusSigned(costs::people(d.beds - d.baseBeds), std::llround((d.beds - d.baseBeds) * 10) > 0),
                             plusSigned(costs::dollars(d.averageCost), std::llround(d.averageCost) > 0),
                             plusSigned(costs::dollars(d.marginalCost), std::llround(d.marginalCost) > 0)},
                            3);
}

void fillImpactTable(CopyTable& table, const scenarios::Comparison& c, const scenarios::Impact& impact,
                     const scenarios::ImpactBreakdown& b) {
    const std::size_t years = impact.totals.empty() ? 0 : impact.totals.front().size();
    const int firstYear = c.results.empty() ? 0 : c.results.front().firstYear;
    QStringList headings{QStringLiteral("Scenario"), QString::fromStdString(b.name), QStringLiteral("Figure")};
    for (std::size_t y = 0; y < years; ++y) headings << QString::number(firstYear + static_cast<int>(y));
    const int figures = b.addsUp ? 5 : 3;
    Filler fill(table, headings,
                static_cast<int>((c.results.size() - 1) * b.categories.size()) * figures);
    for (std::size_t s = 1; s < b.values.size(); ++s) {
        for (std::size_t k = 0; k < b.categories.size(); ++k) {
            const auto& before = b.values.front()[k];
            const auto& after = b.values[s][k];
            const QString name = QString::fromStdString(c.names[s]), group = QString::fromStdString(b.categories[k]);
            const auto row = [&](const QString& figure, auto cell) {
                QStringList cells{name, group, figure};
                for (std::size_t y = 0; y < years; ++y) cells << cell(y);
                fill.addRow(cells, 3);
            };
            row(QStringLiteral("base"), [&](std::size_t y) { return whole(before[y]); });
            row(QStringLiteral("scenario"), [&](std::size_t y) { return whole(after[y]); });
            row(QStringLiteral("difference"), [&](std::size_t y) {
                const QString d = whole(after[y] - before[y]);
                return d.startsWith(QLatin1Char('-')) || d == QLatin1String("0") ? d : QLatin1Char('+') + d;
            });
            if (!b.addsUp) continue;
            row(QStringLiteral("share base"), [&](std::size_t y) { return share(before[y], impact.totals.front()[y]); });
            row(QStringLiteral("share after"), [&](std::size_t y) { return share(after[y], impact.totals[s][y]); });
        }
    }
}

} // namespace kov::ui
