#include "input/input_reading.h"

#include "base/host.h"

namespace kov {

std::size_t readNumbersInto(TextFile& f, Series& s, std::size_t offset, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        double v = 0.0;
        if (!f.readDouble(v)) return i; // nothing consumed: every later read would fail too
        const std::size_t at = offset + i;
        if (at < s.size()) s[at] = v;
    }
    return count;
}

bool isBlankLine(const std::string& line) {
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f') return false;
    return true;
}

void reportAllocationFailure(Host& host, const std::string& name) {
    host.message("Unable to allocate memory for " + name, MessageIcon::Stop);
}

std::string indexedName(const std::string& name, int i) { return name + "[" + std::to_string(i) + "]"; }

std::string indexedName(const std::string& name, int i, int j) {
    return indexedName(name, i) + "[" + std::to_string(j) + "]";
}

} // namespace kov
