#pragma once
// The monthly series of the output tables as CSV records, one set per table
// kind. Each kind reads the same arrays, rows and columns the table writer
// prints, and leaves out the tables the writer replaces by its zero-cases
// line; where a table prints only a year-end column of a monthly series,
// all twelve months of each printed year are taken. By-day series keep only
// the printed day columns, each as month 12 of its year.
#include "engine/engine.h"
#include "reports/csv/csv_format.h"
#include "reports/text/table_writer.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kov {

class CsvTables {
public:
    /// Reads engine's state when asked; options say which tables exist.
    /// totalsOnly: each kind gives only its total series ("... - Total Count
    /// Per Month:", supervision for all levels), the records a full export
    /// has of them.
    CsvTables(const Engine& engine, TableOptions options, bool totalsOnly = false);

    /// Breakdowns, total per month, entry and exit series, program populations.
    CsvRecords prison() const;
    /// Breakdowns, total per month, violations, the month-by-month daily counts.
    CsvRecords jail() const;
    /// Each county's jail total by year (month 12), and their sum as "Total".
    CsvRecords county() const;
    /// Supervision by level, then each sanction's breakdowns and total per month.
    CsvRecords sanctions() const;
    /// The prison population by offense for every gender and age group.
    CsvRecords felony() const;
    /// One file of the export: its name and its records.
    struct File {
        std::string name;
        CsvRecords records;
    };
    /// Every kind the options select, in the export's file order.
    std::vector<File> files() const;

private:
    /// Where a block of tables keeps its year-end columns.
    struct Layout {
        int width = 0;
        int start = 0;
        int years = 0;
        bool byDays = false; ///< year-end columns 360 days apart
    };

    /// The seven breakdown tables of a series set, table 5 by days when asked.
    void breakdowns(CsvRecords& out, const std::array<Series, 8>& set, const std::string& name, Layout layout,
                    bool table5ByDays) const;
    void breakdown(CsvRecords& out, const std::string& title, const ClassificationVariable& rows, const Series& data,
                   Layout layout) const;
    void totalPerMonth(CsvRecords& out, const std::string& name, const Series& totals, Layout layout) const;
    /// A year-by-month block with its "SUM" column: negative months count as 0,
    /// and a block whose rounded months sum to 0 is not printed.
    void summedBlock(CsvRecords& out, const std::string& title, const Series& series, std::size_t from,
                     int years) const;
    /// Twelve months a year of one "Total" row, month(i) the i-th month.
    void monthRows(CsvRecords& out, const std::string& title, int years,
                   const std::function<double(std::size_t)>& month) const;
    void programs(CsvRecords& out) const;
    void supervision(CsvRecords& out, const std::string& word) const;

    long long year(int y) const;
    const ClassificationVariable& variable(int table) const;

    const Engine& e;
    TableOptions opt;
    bool totalsOnly_ = false;
};

/// Title text as the tables print it, without the blanks and line ends around it.
std::string csvTitle(const std::string& printed);

} // namespace kov
