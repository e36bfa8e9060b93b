#pragma once
// Field-by-field reading of a microdata line (court cases and stock records):
// each field read, checked and, when bad, reported as
// "Illegal <name> = <value>, Case Number = <n>" with the stop icon. A missing
// or unreadable token leaves the field at its default, which the checks refuse.
#include "base/format.h"
#include "base/host.h"
#include "engine/microdata_file.h"
#include "engine/rounding.h"

#include <string>

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

    /// Shows the field's message, with the line and field; always false so
    /// callers can return it. Out of line and cold: the case loop only passes by.
    [[gnu::cold, gnu::noinline]] bool illegal(const char* name, int value, const std::string& note = {});
    [[gnu::cold, gnu::noinline]] bool illegal(const char* name, double value);

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
        return illegal(name, v, lo, hi, rows);
    }

    /// A fractional number of months, rounded half up into months.
    bool months(double& v, int& rounded, const char* name) {
        if (!f_.NextDouble(v) || !roundHalfUpChecked(v, rounded)) return illegal(name, v);
        return true;
    }

    CMicroDataFile& file() { return f_; }

private:
    /// A value beyond another file's rows: the message names that file.
    [[gnu::cold, gnu::noinline]] bool illegal(const char* name, int value, int lo, int hi, const RowsOf& rows);
    /// The line and field; a value that was never read says why.
    Location where(const char* name, std::string note) const;

    CMicroDataFile& f_;
    Host& host_;
    int caseNumber_;
};

} // namespace kov
