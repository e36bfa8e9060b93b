#include "ui/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kov::ui {

bool parseDecimal(const QString& text, double& value) {
    const std::string s = text.trimmed().toStdString();
    if (s.empty()) return false;
    // Only what a decimal number is made of; strtod would also take "nan", "inf" and hex.
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    bool digits = false;
    const auto isDigit = [&](std::size_t j) { return j < s.size() && s[j] >= '0' && s[j] <= '9'; };
    for (; isDigit(i); ++i) digits = true;
    if (i < s.size() && s[i] == '.')
        for (++i; isDigit(i); ++i) digits = true;
    if (!digits) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == start) return false;
    }
    if (i != s.size()) return false;
    errno = 0;
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool parseInteger(const QString& text, long& value) {
    const std::string s = text.trimmed().toStdString();
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i == s.size()) return false;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9') return false;
    errno = 0;
    const long v = std::strtol(s.c_str(), nullptr, 10);
    if (errno == ERANGE) return false;
    value = v;
    return true;
}

bool isProbability(const QString& text) {
    double v = 0.0;
    return parseDecimal(text, v) && v >= 0.0 && v <= 1.0;
}

} // namespace kov::ui
