#include "reports/common/utf8.h"

namespace kov::reports {

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0U) == 0x80U; }

// Length of the well-formed sequence starting at s[i], 0 when it is not one.
std::size_t sequenceLength(const std::string& s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    if (c < 0x80U) return 1;
    if (c >= 0xC2U && c <= 0xDFU) n = 2;
    else if (c >= 0xE0U && c <= 0xEFU) n = 3;
    else if (c >= 0xF0U && c <= 0xF4U) n = 4;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if (!isContinuation(static_cast<unsigned char>(s[i + k]))) return 0;
    return n;
}

} // namespace

std::string toUtf8(const std::string& text) {
    bool valid = true;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (n == 0) {
            valid = false;
            break;
        }
        i += n;
    }
    if (valid) return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80U) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0U | (c >> 6U));
            out += static_cast<char>(0x80U | (c & 0x3FU));
        }
    }
    return out;
}

std::size_t utf8Length(const std::string& text) {
    std::size_t n = 0;
    for (const char ch : text)
        if (!isContinuation(static_cast<unsigned char>(ch))) ++n;
    return n;
}

std::string utf8Prefix(const std::string& text, std::size_t n) {
    std::size_t points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            if (points == n) return text.substr(0, i);
            ++points;
        }
    }
    return text;
}

} // namespace kov::reports
