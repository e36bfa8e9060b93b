// The stock tables file is a run of blocks separated by blank lines. A block
// is a header line, exactly one blank line and then numbers in any layout.
// The header's first word says what follows: "offense" (refused), "felony"
// (the tables of every felony type) or anything else, which is the next
// classification variable in order, C(k) rows of 121 months each.
#include "input/stock_tables.h"

#include "base/host.h"
#include "input/input_reading.h"
#include "input/text_file.h"

#include <algorithm>
#include <cctype>
#include <iterator> // std::size

namespace kov {
namespace {

constexpr std::size_t Months = MonthsTotal + 1; // 121: the last cell is beyond the horizon
constexpr int VariableTables = 7;               // variables 0 to 6; Stocks[7] is the total
/// Variables of the felony block's tables, in order; felony type itself is left out.
constexpr int FelonyBlockVariables[] = {VarGender, VarRace, VarAge, VarOffense, VarSentenceLength, VarRegion};
constexpr std::size_t FelonyTotalSlot = 6;

std::size_t rowsOf(const StateTables& st, int variable) {
    const int n = st.count(variable);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

/// First word after leading blanks, in lower case.
std::string headerWord(const std::string& line) {
    std::size_t b = 0;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) ++b;
    std::size_t e = b;
    while (e < line.size() && !std::isspace(static_cast<unsigned char>(line[e]))) ++e;
    std::string word = line.substr(b, e - b);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return word;
}

/// The totals are the sum of the first two gender categories (of fewer, when
/// there are fewer), month by month.
void sumGenders(const Series& byGender, std::size_t genders, Series& total) {
    const std::size_t used = std::min<std::size_t>(genders, 2);
    for (std::size_t t = 0; t < Months && t < total.size(); ++t) {
        double sum = 0.0;
        for (std::size_t g = 0; g < used; ++g) {
            const std::size_t at = g * Months + t;
            if (at < byGender.size()) sum += byGender[at];
        }
        total[t] = sum;
    }
}

/// The load's messages about the file's layout, with the line they are about.
class LayoutErrors {
public:
    LayoutErrors(const std::string& path, Host& host) : path_(path), host_(host) {}

    void expected(int line, const std::string& what) {
        host_.messageAt("Error in stock tables file " + path_ + ", line " + std::to_string(line) + ": " + what,
                        MessageIcon::Stop, Location{path_, line, {}, {}});
    }
    /// A run of numbers that stopped at something else before the end of the
    /// file: the rest would be read as headers. False after its message.
    bool numbers(TextFile& f, std::size_t read, std::size_t count, const std::string& header) {
        if (read == count || f.atEnd()) return true;
        expected(f.lineNumber(), std::to_string(count) + " numbers expected after the header \"" + trimBlanks(header) +
                                     "\", " + std::to_string(read) + " found");
        return false;
    }

private:
    const std::string& path_;
    Host& host_;
};

bool readFelonyBlock(TextFile& f, StateTables& st, LayoutErrors& errors, const std::string& header) {
    const std::size_t genders = rowsOf(st, VarGender);
    for (auto& slots : st.StockForFelonyType) {
        for (std::size_t j = 0; j < std::size(FelonyBlockVariables); ++j) {
            const std::size_t count = rowsOf(st, FelonyBlockVariables[j]) * Months;
            if (!errors.numbers(f, readNumbersInto(f, slots[j], 0, count), count, header)) return false;
        }
        sumGenders(slots[0], genders, slots[FelonyTotalSlot]);
    }
    return true;
}

enum class Next { Continue, Stop };

/// After a header: the one blank line that must follow. Stop at the end of the file.
Next expectBlankLine(TextFile& f, bool& failed, LayoutErrors& errors) {
    std::string line;
    if (!f.readLine(line)) return Next::Stop;
    if (!isBlankLine(line)) {
        // After a refused block its numbers come here as headers: its message is enough.
        if (!failed) errors.expected(f.lastLineNumber(), "a blank line expected after the header");
        failed = true;
        return Next::Stop;
    }
    return Next::Continue;
}

} // namespace

bool readStockTables(const std::string& path, StateTables& st, Host& host) {
    TextFile f(path);
    if (!f.isOpen()) {
        host.message("Unable to open file " + path, MessageIcon::Stop);
        return false;
    }
    LayoutErrors errors(path, host);
    bool failed = false;
    int k = 0; // the next variable table
    std::string line;
    while (f.readLine(line)) {
        if (isBlankLine(line)) continue;
        const std::string word = headerWord(line);
        if (word == "offense") {
            host.message("The KOV program does not support offense tables in the stock input", MessageIcon::Plain);
            failed = true;
            continue;
        }
        if (word == "felony") {
            if (st.StockForFelonyType.empty()) {
                host.message("You must set the Prison Demos By Felony Type parameter in the config file to 1 to use "
                             "the felony stock input",
                             MessageIcon::Plain);
                failed = true;
                continue;
            }
            if (expectBlankLine(f, failed, errors) == Next::Stop) break;
            if (!readFelonyBlock(f, st, errors, line)) {
                failed = true;
                break;
            }
            continue;
        }
        if (k >= VariableTables) {
            // After a refused block its numbers come here as headers; one message is enough.
            if (!failed) host.message("The stock tables file holds more than seven variable tables", MessageIcon::Plain);
            failed = true;
            break;
        }
        const std::string header = line;
        if (expectBlankLine(f, failed, errors) == Next::Stop) break;
        const std::size_t count = rowsOf(st, k) * Months;
        if (!errors.numbers(f, readNumbersInto(f, st.Stocks[static_cast<std::size_t>(k)], 0, count), count, header)) {
            failed = true;
            break;
        }
        dropRestOfNumberLine(f, count);
        ++k;
    }
    if (failed) return false;

    // Each sentence-length category's stock beyond the horizon.
    const Series& bySentence = st.Stocks[VarSentenceLength];
    for (std::size_t j = 0; j < rowsOf(st, VarSentenceLength) && j < st.Timers.size(); ++j) {
        const std::size_t at = j * Months + MonthsTotal;
        if (at < bySentence.size()) st.Timers[j] = bySentence[at];
    }
    sumGenders(st.Stocks[VarGender], rowsOf(st, VarGender), st.Stocks[7]);
    return true;
}

} // namespace kov
