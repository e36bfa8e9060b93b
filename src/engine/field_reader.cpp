#include "engine/field_reader.h"

#include <utility>

namespace kov {

bool FieldReader::illegal(const char* name, int value, const std::string& note) {
    host_.messageAt(format("Illegal %s = %d, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop,
                    where(name, note));
    return false;
}

bool FieldReader::illegal(const char* name, double value) {
    host_.messageAt(format("Illegal %s = %lf, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop,
                    where(name, {}));
    return false;
}

bool FieldReader::illegal(const char* name, int value, int lo, int hi, const RowsOf& rows) {
    if (value < lo || !rows.file || rows.file->empty()) return illegal(name, value);
    const std::string of = rows.table > 0 ? "table " + std::to_string(rows.table) + " of " : std::string();
    return illegal(name, value, of + *rows.file + " has " + std::to_string(hi) + " " + rows.what);
}

Location FieldReader::where(const char* name, std::string note) const {
    if (note.empty() && f_.tokenStatus() == TokenStatus::Missing) note = "the line ends before this field";
    if (note.empty() && f_.tokenStatus() == TokenStatus::Bad) note = "not a number";
    return Location{f_.name(), f_.lineCount(), name, std::move(note)};
}

} // namespace kov
