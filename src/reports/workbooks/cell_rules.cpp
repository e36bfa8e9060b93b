#include "reports/workbooks/cell_rules.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kov::reports {

int cellCount(double value) {
    if (!std::isfinite(value)) return 0;
    char text[512];
    std::snprintf(text, sizeof text, "%6.0f", value);
    const long long n = std::strtoll(text, nullptr, 10);
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return static_cast<int>(n);
}

std::string columnName(int column) {
    std::string name;
    for (long long c = static_cast<long long>(column < 0 ? 0 : column) + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

std::string sumFormula(int firstColumn, int lastColumn, int row) {
    const std::string r = std::to_string(row);
    return "=SUM(" + columnName(firstColumn) + r + ":" + columnName(lastColumn) + r + ")";
}

std::string workbookPath(const std::string& configured) {
    const std::size_t n = configured.size();
    if (n >= 4 && configured[n - 4] == '.' && std::tolower(static_cast<unsigned char>(configured[n - 3])) == 'x' &&
        std::tolower(static_cast<unsigned char>(configured[n - 2])) == 'l' &&
        std::tolower(static_cast<unsigned char>(configured[n - 1])) == 's')
        return configured + "x";
    return configured;
}

std::string trimTrailingBlanks(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(0, end);
}

} // namespace kov::reports
