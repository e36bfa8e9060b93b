#include "input/line_scanner.h"

#include "base/text.h"

#include <climits>
#include <cstdlib>

namespace kov {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

} // namespace

void LineScanner::skipBlanks() {
    while (pos_ < s_.size() && isSpace(s_[pos_])) ++pos_;
}

bool LineScanner::notFullStop(std::string* out, std::size_t maxWidth) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && s_[pos_] != '.' && (maxWidth == 0 || pos_ - start < maxWidth)) ++pos_;
    if (pos_ == start) return false;
    if (out) *out = s_.substr(start, pos_ - start);
    return true;
}

bool LineScanner::skipToken() {
    skipBlanks();
    const std::size_t start = pos_;
    while (pos_ < s_.size() && !isSpace(s_[pos_])) ++pos_;
    return pos_ != start;
}

bool LineScanner::integer(int& value) {
    skipBlanks();
    return scanInt(s_, pos_, value);
}

bool LineScanner::number(double& value) {
    skipBlanks();
    const char* begin = s_.c_str() + pos_;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin) return false;
    value = v;
    pos_ += static_cast<std::size_t>(end - begin);
    return true;
}

} // namespace kov
