// Layout of the stock parameter file, as the files in use write it:
//
//   <title> ........ L1            supervision lengths, k = 1
//   L1 integers, any line layout
//   <title> ........ L2            supervision lengths, k = 2
//   L2 integers, any line layout
//   <title>                        three distribution groups, k = 0, 1, 2:
//   Lk rows of O numbers           L0 is always 5; O is the offense count
//   <title>                        then five post-prison groups, Pparray[0..4]:
//   O numbers                      one title line and O numbers each
//
// Every run of numbers is read white-space separated in any line layout and
// followed by dropping the rest of its last line (a run of no numbers drops
// nothing more). Numbers that are missing,
// including whole groups at the end of the file, stay 0.
#include "input/stock_parameters.h"

#include "base/host.h"
#include "input/input_reading.h"
#include "input/text_file.h"

namespace kov {
namespace {

// The count line is read with room for 79 characters, as the format has always had it.
constexpr std::size_t CountLineBuffer = 80;

bool validListLength(int n) { return n >= 0 && n <= MaxSupervisionLengths; }

bool readSupervisionLengths(TextFile& f, int k, StateTables& st, Host& host) {
    const auto slot = static_cast<std::size_t>(k);
    std::string line, title;
    int n = 0;
    if (!f.readLine(line, CountLineBuffer) || !parseDotLeaderInt(line, title, n)) n = 0;
    if (!validListLength(n) || !tryAssign(st.Suplengths[slot], static_cast<std::size_t>(n), 0)) {
        reportAllocationFailure(host, indexedName("Suplengths", k));
        return false;
    }
    st.SuplengthCounts[slot] = n;
    for (int& length : st.Suplengths[slot])
        if (!f.readInt(length)) break; // fscanf stops at the first thing that is no number
    dropRestOfNumberLine(f, static_cast<std::size_t>(n));
    return true;
}

bool allocateDistributions(StateTables& st, std::size_t offenses, Host& host) {
    for (int k = 0; k < 3; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const int rows = st.SuplengthCounts[slot];
        if (!validListLength(rows) || !tryAssign(st.Parray[slot], static_cast<std::size_t>(rows), Series{})) {
            reportAllocationFailure(host, indexedName("Parray", k));
            return false;
        }
        for (int r = 0; r < rows; ++r) {
            if (!tryAssign(st.Parray[slot][static_cast<std::size_t>(r)], offenses, 0.0)) {
                reportAllocationFailure(host, indexedName("Parray", k, r));
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool readStockParameters(const std::string& path, StateTables& st, Host& host) {
    TextFile f(path);
    if (!f.isOpen()) {
        host.message("Unable to open file " + path, MessageIcon::Stop);
        return false;
    }
    for (int k = 1; k <= 2; ++k)
        if (!readSupervisionLengths(f, k, st, host)) return false;

    const int offenseCount = st.count(VarOffense);
    const std::size_t offenses = offenseCount > 0 ? static_cast<std::size_t>(offenseCount) : 0;
    if (!allocateDistributions(st, offenses, host)) return false;
    for (auto& group : st.Parray) {
        f.skipRestOfLine(); // the group's title
        for (Series& row : group) readNumbersInto(f, row, 0, offenses);
        dropRestOfNumberLine(f, group.size() * offenses);
    }

    for (std::size_t i = 0; i < st.Pparray.size(); ++i) {
        if (!tryAssign(st.Pparray[i], offenses, 0.0)) {
            reportAllocationFailure(host, indexedName("Pparray", static_cast<int>(i)));
            return false;
        }
    }
    for (Series& values : st.Pparray) {
        f.skipRestOfLine(); // the group's title
        readNumbersInto(f, values, 0, offenses);
        dropRestOfNumberLine(f, offenses);
    }
    return true;
}

} // namespace kov
