#include "reports/workbooks/sheet_names.h"

#include "reports/common/utf8.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kov::reports {

namespace {

constexpr std::size_t MaxLength = 31;

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string cleaned(const std::string& wanted) {
    std::string s = toUtf8(wanted);
    for (char& c : s)
        if (std::strchr("[]:*?/\\", c) != nullptr && c != '\0') c = '_';
    s = utf8Prefix(s, MaxLength);
    if (!s.empty() && s.front() == '\'') s.front() = '_';
    if (!s.empty() && s.back() == '\'') s.back() = '_';
    return s.empty() ? std::string("Sheet") : s;
}

} // namespace

std::string SheetNamer::name(const std::string& wanted) {
    const std::string base = cleaned(wanted);
    const auto isTaken = [this](const std::string& n) {
        return std::any_of(taken_.begin(), taken_.end(), [&](const std::string& t) { return sameIgnoringCase(t, n); });
    };
    std::string result = base;
    for (int k = 2; isTaken(result); ++k) {
        const std::string tail = "~" + std::to_string(k);
        std::string head = utf8Prefix(base, MaxLength - tail.size());
        if (!head.empty() && head.front() == '\'') head.front() = '_';
        result = head + tail;
    }
    taken_.push_back(result);
    return result;
}

} // namespace kov::reports
