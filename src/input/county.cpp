// County lines look like "7 Big Lake ........ 12 3 4 5 2": a county number,
// the name up to the first full stop, a dot leader, four counts and the jail
// level. They are parsed the way " %*d %[^.] %*s %d %d %d %d %d " would, field
// by field, so a line that breaks off leaves its remaining fields at 0.
#include "input/county.h"

#include "base/host.h"
#include "input/input_reading.h"
#include "input/text_file.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace kov {
namespace {

constexpr std::size_t CountyLineBuffer = 254;
/// Most counties we accept; a state has a few hundred at most.
constexpr std::size_t MaxCounties = 10000;
constexpr std::size_t CountyNameLength = 27;

/// A cursor over one line with the scanf directives the county format uses.
class LineScanner {
public:
    explicit LineScanner(const std::string& line) : s_(line) {}

    void skipSpace() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    /// " %d"
    bool scanInt(int& value) {
        skipSpace();
        return kov::scanInt(s_, i_, value);
    }
    /// " %[^.]": at least one character.
    bool scanUpToFullStop(std::string& text) {
        skipSpace();
        const std::size_t start = i_;
        while (i_ < s_.size() && s_[i_] != '.') ++i_;
        if (i_ == start) return false;
        text = s_.substr(start, i_ - start);
        return true;
    }
    /// " %*s"
    bool skipToken() {
        skipSpace();
        const std::size_t start = i_;
        while (i_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
        return i_ > start;
    }

private:
    const std::string& s_;
    std::size_t i_ = 0;
};

void parseCountyLine(const std::string& line, County& c) {
    LineScanner in(line);
    int number = 0;
    std::string name;
    if (!in.scanInt(number) || !in.scanUpToFullStop(name)) return;
    c.name = name.substr(0, CountyNameLength); // the record holds 27 characters
    if (!in.skipToken()) return;
    for (int* field : {&c.count1, &c.count2, &c.count3, &c.count4, &c.jailLevel})
        if (!in.scanInt(*field)) return;
}

} // namespace

bool readCounties(const std::string& path, StateTables& st, Host& host) {
    TextFile f(path);
    if (!f.isOpen()) {
        host.message("Unable to open file " + path, MessageIcon::Stop);
        return false;
    }
    // Every read counts, a last line without a line end included; an empty
    // last line is a county of zeros.
    TextFile again = f;
    std::string line;
    std::size_t n = 0;
    while (f.readLine(line, CountyLineBuffer)) ++n;

    st.Counties.clear();
    if (n > MaxCounties || !tryAssign(st.Counties, n, County{})) {
        reportAllocationFailure(host, "Counties");
        return false;
    }
    for (County& c : st.Counties) {
        if (!again.readLine(line, CountyLineBuffer)) break;
        parseCountyLine(line, c);
    }
    return true;
}

} // namespace kov
