#include "actuals/accuracy_report.h"

#include "base/format.h"

#include <cmath>

namespace kov::actuals {
namespace {

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

/// Unmatched counts named in the notes; the rest are only counted.
constexpr std::size_t NamedUnmatched = 3;

std::string monthName(long long year, int month) {
    return std::string(MonthNames[month - 1]) + " " + std::to_string(year);
}

/// Rounded to a whole count, thousands grouped, with a sign when asked: 1234.6 as "+1,235".
std::string count(double value, bool sign = false) {
    const long long n = std::llround(value);
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return (n < 0 ? "-" : n > 0 && sign ? "+" : "") + digits;
}

/// One decimal with its sign; a value that rounds to zero is "0.0", never "-0.0".
std::string percent(double value) {
    const double tenths = std::round(value * 10) / 10;
    return tenths == 0 ? "0.0" : format("%+.1f", tenths);
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string paragraph(const SeriesAccuracy& s) {
    const MonthError& first = s.months.front();
    const MonthError& last = s.months.back();
    std::string text = plural(s.months.size(), "month", "months") + " compared, " + monthName(first.year, first.month);
    text += s.months.size() == 1 ? " (" + plural(static_cast<std::size_t>(first.monthsAhead), "month", "months")
                                 : " to " + monthName(last.year, last.month) + " (" +
                                       std::to_string(first.monthsAhead) + " to " +
                                       std::to_string(last.monthsAhead) + " months";
    text += " ahead). ";
    const long long bias = std::llround(s.meanError);
    if (bias == 0)
        text += "On average the projection ran within one of the actual counts";
    else
        text += std::string("On average the projection ran ") + (bias > 0 ? "high" : "low") + " by " +
                count(std::fabs(s.meanError)) + " a month";
    if (s.meanPercentError) text += " (" + percent(*s.meanPercentError) + "%)";
    text += s.mape ? "; its monthly error was " + format("%.1f", *s.mape) + "% either way on average (MAPE)."
                   : "; with every actual count 0 there is no percentage error.";
    if (s.mape && s.zeroActuals > 0)
        text += " Of these, " + plural(static_cast<std::size_t>(s.zeroActuals), "month has", "months have") +
                " an actual count of 0, with no error %, and " + (s.zeroActuals == 1 ? "is" : "are") +
                " left out of the percentages.";
    return text;
}

/// The words of a paragraph, wrapped to lines of at most width after indent.
std::string wrapped(const std::string& text, const std::string& indent, std::size_t width) {
    std::string out, line;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.find(' ', from);
        if (to == std::string::npos) to = text.size();
        const std::string word = text.substr(from, to - from);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            out += indent + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        from = to + 1;
    }
    if (!line.empty()) out += indent + line + "\n";
    return out;
}

std::string table(const SeriesAccuracy& s) {
    std::string rows;
    for (const MonthError& m : s.months) {
        if (!isReportedHorizon(m.monthsAhead)) continue;
        rows += padLeft(std::to_string(m.monthsAhead), 15) + padLeft(count(m.projected), 13) +
                padLeft(count(m.actual), 13) + padLeft(count(m.error, true), 11) +
                padLeft(m.percentError ? percent(*m.percentError) : "n/a", 10) + "\n";
    }
    if (rows.empty()) return "   (no month compared is 1, 6, 12, 24, ... months ahead)\n";
    return "   Months ahead" + padLeft("Projected", 13) + padLeft("Actual", 13) + padLeft("Error", 11) +
           padLeft("Error %", 10) + "\n" + rows;
}

std::string summary(const SeriesAccuracy& s) {
    std::string text = "   MAPE " + (s.mape ? format("%.1f%%", *s.mape) : std::string("not defined")) +
                       "    Bias " + count(s.meanError, true) + " a month";
    if (s.meanPercentError) text += " (" + percent(*s.meanPercentError) + "%)";
    return text + "\n";
}

/// The series' title without the colon some tables end in, and its row unless that is "Total".
std::string heading(const SeriesAccuracy& s) {
    std::string title = s.table;
    if (!title.empty() && title.back() == ':') title.pop_back();
    return s.category == "Total" ? title : title + " / " + s.category;
}

std::string named(const Unmatched& u) {
    const Actual& a = *u.actual;
    return "\"" + a.table + "\" / \"" + a.category + "\" " + format("%lld-%02d", a.year, a.month) + " (line " +
           std::to_string(a.line) + ")";
}

/// "1 observed count names ..." or "3 observed counts name ...": one and many are the verb's forms.
std::string note(const Accuracy& accuracy, bool knownSeries, const char* one, const char* many) {
    std::size_t n = 0;
    std::string names;
    for (const Unmatched& u : accuracy.unmatched) {
        if (u.knownSeries != knownSeries) continue;
        if (n < NamedUnmatched) names += (n == 0 ? "" : ", ") + named(u);
        ++n;
    }
    if (n == 0) return {};
    const std::string more = n > NamedUnmatched ? " and " + std::to_string(n - NamedUnmatched) + " more" : "";
    return wrapped(plural(n, "observed count", "observed counts") + " " + (n == 1 ? one : many) + ", left out: " +
                       names + more + ".",
                   "   ", 96);
}

} // namespace

std::string accuracyText(const ActualsFile& actuals, const Accuracy& accuracy, int firstYear) {
    std::string out;
    out += "\n Accuracy of the projection against observed counts\n\n";
    out += " Actuals file: " + actuals.path + "\n";
    out += wrapped("The projection's first month, January " + std::to_string(firstYear) +
                       ", is 1 month ahead. Error is projected minus actual, so a positive error means the projection "
                       "ran high; error % is the error over the actual count. MAPE, the mean absolute percentage "
                       "error, is how far off the projection was in an average month whichever way; bias, the mean "
                       "signed error, says whether it ran high or low on the whole. Counts are rounded to whole "
                       "people.",
                   " ", 96);
    for (const SeriesAccuracy& s : accuracy.series) {
        out += "\n " + heading(s) + "\n\n";
        out += wrapped(paragraph(s), "   ", 94) + "\n" + table(s) + "\n" + summary(s);
    }
    if (accuracy.series.empty()) out += "\n No observed count falls in a month the run projected.\n";
    const std::string unknown =
        note(accuracy, false, "names a series the run did not write", "name a series the run did not write");
    const std::string outside = note(accuracy, true, "falls in a month the run did not project for its series",
                                     "fall in a month the run did not project for their series");
    const std::string notes = unknown + (unknown.empty() || outside.empty() ? "" : "\n") + outside;
    if (!notes.empty()) out += "\n Notes\n\n" + notes;
    return out;
}

std::string accuracyCsv(const Accuracy& accuracy) {
    std::string out = "table,category,year,month,months_ahead,projected,actual,error,percent_error\n";
    for (const SeriesAccuracy& s : accuracy.series)
        for (const MonthError& m : s.months)
            out += csvField(s.table) + "," + csvField(s.category) + "," +
                   format("%lld,%d,%d,", m.year, m.month, m.monthsAhead) +
                   csvNumber(m.projected) + "," + csvNumber(m.actual) + "," + csvNumber(m.error) + "," +
                   (m.percentError ? csvNumber(*m.percentError) : std::string()) + "\n";
    return out;
}

} // namespace kov::actuals
