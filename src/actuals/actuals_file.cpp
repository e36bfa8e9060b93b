#include "actuals/actuals_file.h"

#include "base/text.h"
#include "config/whole_file.h"
#include "reports/csv/csv_rows.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>

namespace kov::actuals {
namespace {

const char* const FieldNames[] = {"table", "category", "year", "month", "value"};
constexpr std::size_t FieldCount = 5;

/// The whole text as one number, blanks around it allowed; infinities and NaN too.
std::optional<double> number(const std::string& text) {
    const std::string t = trimBlanks(text);
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE) return std::nullopt;
    return v;
}

std::optional<long long> whole(const std::string& text) {
    const std::optional<double> v = number(text);
    if (!v || !std::isfinite(*v) || *v != std::floor(*v) || std::fabs(*v) > 1e9) return std::nullopt;
    return static_cast<long long>(*v);
}

class Parser {
public:
    Parser(const std::string& path, std::string& error) : error_(error) { file_.path = path; }

    std::optional<ActualsFile> parse(std::string text) {
        if (!parseRows(std::move(text))) return std::nullopt;
        return std::move(file_);
    }

private:
    bool parseRows(std::string text) {
        // A spreadsheet's UTF-8 mark before the header is not part of it.
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        std::vector<CsvRow> rows;
        int at = 0;
        if (!splitCsvRows(text, rows, at))
            return fail(at, "a quoted field is not closed, or text follows its closing quote");
        if (rows.empty()) return fail(0, std::string("is empty; its first line is the header ") + ActualsHeader);
        if (!header(rows.front())) return false;
        for (std::size_t r = 1; r < rows.size(); ++r)
            if (!value(rows[r])) return false;
        if (file_.values.empty()) return fail(0, "has no observed counts below its header");
        return true;
    }

    bool fail(int line, const std::string& what) {
        error_ = "actuals file " + file_.path + (line > 0 ? ", line " + std::to_string(line) + ":" : "") + " " + what;
        return false;
    }

    bool failField(const CsvRow& row, std::size_t field, const std::string& what) {
        return fail(row.line, std::string("field \"") + FieldNames[field] + "\": " + what);
    }

    bool header(const CsvRow& row) {
        bool ok = row.fields.size() == FieldCount;
        for (std::size_t f = 0; ok && f < FieldCount; ++f) ok = trimBlanks(row.fields[f]) == FieldNames[f];
        return ok || fail(row.line, std::string("the header must be ") + ActualsHeader);
    }

    bool value(const CsvRow& row) {
        if (row.fields.size() != FieldCount)
            return fail(row.line, std::to_string(row.fields.size()) + " fields where the header has " +
                                      std::to_string(FieldCount) + " (" + ActualsHeader + ")");
        Actual a;
        a.line = row.line;
        a.table = trimBlanks(row.fields[0]);
        a.category = trimBlanks(row.fields[1]);
        if (a.table.empty()) return failField(row, 0, "is empty");
        if (a.category.empty()) return failField(row, 1, "is empty");
        const std::optional<long long> year = whole(row.fields[2]);
        if (!year || *year < 1 || *year > 9999) return failField(row, 2, quoted(row, 2) + " is not a year");
        const std::optional<long long> month = whole(row.fields[3]);
        if (!month || *month < 1 || *month > 12)
            return failField(row, 3, quoted(row, 3) + " is not a month from 1 to 12");
        const std::optional<double> v = number(row.fields[4]);
        if (!v) return failField(row, 4, quoted(row, 4) + " is not a number");
        if (!std::isfinite(*v) || *v < 0)
            return failField(row, 4, quoted(row, 4) + " is not a count (finite, 0 or more)");
        a.year = *year;
        a.month = static_cast<int>(*month);
        a.value = *v;
        const auto [it, fresh] = lines_.try_emplace(std::make_tuple(a.table, a.category, a.year, a.month), a.line);
        if (!fresh)
            return fail(row.line, "fields table, category, year, month: \"" + a.table + "\", \"" + a.category +
                                      "\", " + std::to_string(a.year) + ", " + std::to_string(a.month) +
                                      " given twice (also on line " + std::to_string(it->second) + ")");
        file_.values.push_back(std::move(a));
        return true;
    }

    static std::string quoted(const CsvRow& row, std::size_t field) { return "\"" + row.fields[field] + "\""; }

    std::string& error_;
    ActualsFile file_;
    std::map<std::tuple<std::string, std::string, long long, int>, int> lines_;
};

} // namespace

std::optional<ActualsFile> parseActualsFile(const std::string& path, const std::string& text, std::string& error) {
    return Parser(path, error).parse(text);
}

std::optional<ActualsFile> readActualsFile(const std::string& path, std::string& error) {
    return readAndParse(path, "actuals file", error, [&](const std::string& text) { return parseActualsFile(path, text, error); });
}

} // namespace kov::actuals
