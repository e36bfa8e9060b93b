// The stock tables file is a run of blocks separated by blank lines. A block
// is a header line, exactly one blank line and then numbers in any layout.
// The header's first word says what follows: "offense" (refused), "felony"
// (the tables of every felony type) or anything else, which is the next
// classification variable in order, C(k) rows of 121 months each.
#include "input/stock_tables.h"

#include "input/input_reading.h"
#include "input/text_file.h"
#include "run/host.h"

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

void readFelonyBlock(TextFile& f, StateTables& st) {
    const std::size_t genders = rowsOf(st, VarGender);
    for (auto& slots : st.StockForFelonyType) {
        for (std::size_t j = 0; j < std::size(FelonyBlockVariables); ++j)
            readNumbersInto(f, slots[j], 0, rowsOf(st, FelonyBlockVariables[j]) * Months);
        sumGenders(slots[0], genders, slots[FelonyTotalSlot]);
    }
}

enum class Next { Continue, Stop };

/// After a header: the one blank line that must follow. Stop at the end of the file.
Next expectBlankLine(TextFile& f, bool& failed) {
    std::string line;
    if (!f.readLine(line)) return Next::Stop;
    if (!isBlankLine(line)) {
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
            if (expectBlankLine(f, failed) == Next::Stop) break;
            readFelonyBlock(f, st);
            continue;
        }
        if (k >= VariableTables) {
            // After a refused block its numbers come here as headers; one message is enough.
            if (!failed) host.message("The stock tables file holds more than seven variable tables", MessageIcon::Plain);
            failed = true;
            break;
        }
        if (expectBlankLine(f, failed) == Next::Stop) break;
        const std::size_t count = rowsOf(st, k) * Months;
        readNumbersInto(f, st.Stocks[static_cast<std::size_t>(k)], 0, count);
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
