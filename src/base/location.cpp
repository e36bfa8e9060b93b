#include "base/location.h"

namespace kov {

std::string Location::text() const {
    std::string s;
    const auto add = [&s](const std::string& part) { s += (s.empty() ? "in " : ", ") + part; };
    if (!file.empty()) add(file);
    if (line > 0) add("line " + std::to_string(line));
    if (!field.empty()) add("field " + field);
    if (!note.empty()) s += (s.empty() ? "" : "; ") + note;
    return s;
}

} // namespace kov
