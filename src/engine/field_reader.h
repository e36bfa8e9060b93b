#pragma once
// Field-by-field reading of a microdata line (court cases and stock records):
// each field read, checked and, when bad, reported as
// "Illegal <name> = <value>, Case Number = <n>" with the stop icon. A missing
// or unreadable token leaves the field at its default, which the checks refuse.
#include "engine/microdata_file.h"
#include "engine/rounding.h"
#include "run/format.h"
#include "run/host.h"

#include <string>
#include <utility>

namespace kov {

/// A field whose value counts rows of another file: when the value lies
/// beyond them, the message also says which file has too few.
struct RowsOf {
    const std::string* file = nullptr; ///< null: no other file to name
    const char* what = "";             ///< "counties", "tables", "rows", ...
    int table = 0;                     ///< not 0: rows of this table of the file
};

class FieldReader {
public:
    FieldReader(CMicroDataFile& file, Host& host, int caseNumber)
        : f_(file), host_(host), caseNumber_(caseNumber) {}

    /// Shows the field's message, with the line and field; always false so callers can return it.
    bool illegal(const char* name, int value, std::string note = {}) {
        host_.messageAt(format("Illegal %s = %d, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop,
                        where(name, std::move(note)));
        return false;
    }
    bool illegal(const char* name, double value) {
        host_.messageAt(format("Illegal %s = %lf, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop,
                        where(name, {}));
        return false;
    }

    /// Checked only for being there.
    bool present(int& v, const char* name) { return f_.NextInt(v) || illegal(name, v); }
    bool present(double& v, const char* name) { return f_.NextDouble(v) || illegal(name, v); }

    /// Checked for being there and lying in lo..hi.
    bool inRange(int& v, int lo, int hi, const char* name) {
        if (!f_.NextInt(v)) return illegal(name, v);
        return check(v, lo, hi, name);
    }
    bool check(int v, int lo, int hi, const char* name) {
        if (v < lo || v > hi) return illegal(name, v);
        return true;
    }
    /// The same for a value that counts rows of another file.
    bool inRange(int& v, int lo, int hi, const char* name, const RowsOf& rows) {
        if (!f_.NextInt(v)) return illegal(name, v);
        return check(v, lo, hi, name, rows);
    }
    bool check(int v, int lo, int hi, const char* name, const RowsOf& rows) {
        if (v >= lo && v <= hi) return true;
        if (v < lo || !rows.file || rows.file->empty()) return illegal(name, v);
        const std::string of = rows.table > 0 ? "table " + std::to_string(rows.table) + " of " : std::string();
        return illegal(name, v, of + *rows.file + " has " + std::to_string(hi) + " " + rows.what);
    }

    /// A fractional number of months, rounded half up into months.
    bool months(double& v, int& rounded, const char* name) {
        if (!f_.NextDouble(v) || !roundHalfUpChecked(v, rounded)) return illegal(name, v);
        return true;
    }

    CMicroDataFile& file() { return f_; }

private:
    /// The line and field; a value that was never read says why.
    Location where(const char* name, std::string note) const {
        if (note.empty() && f_.tokenStatus() == TokenStatus::Missing) note = "the line ends before this field";
        if (note.empty() && f_.tokenStatus() == TokenStatus::Bad) note = "not a number";
        return Location{f_.name(), f_.lineCount(), name, std::move(note)};
    }

    CMicroDataFile& f_;
    Host& host_;
    int caseNumber_;
};

} // namespace kov
