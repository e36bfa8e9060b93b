#include "base/text.h"

#include <climits>
#include <cstdlib>

namespace kov {

bool scanInt(const std::string& text, std::size_t& pos, int& value) {
    const char* begin = text.c_str() + pos;
    char* end = nullptr;
    long v = std::strtol(begin, &end, 10);
    if (end == begin) return false;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    value = static_cast<int>(v);
    pos += static_cast<std::size_t>(end - begin);
    return true;
}

std::string trimBlanks(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isTextSpace(s[b])) ++b;
    while (e > b && isTextSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

int leadingInt(const std::string& s) {
    long v = std::strtol(s.c_str(), nullptr, 10);
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<int>(v);
}

double leadingDouble(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

bool startsWithNumber(const std::string& s) {
    const char* b = s.c_str();
    char* e = nullptr;
    std::strtod(b, &e);
    return e != b;
}

} // namespace kov
