#pragma once
// Field-by-field reading of a microdata line (court cases and stock records):
// each field read, checked and, when bad, reported as
// "Illegal <name> = <value>, Case Number = <n>" with the stop icon. A missing
// or unreadable token leaves the field at its default, which the checks refuse.
#include "engine/microdata_file.h"
#include "engine/rounding.h"
#include "run/format.h"
#include "run/host.h"

namespace kov {

class FieldReader {
public:
    FieldReader(CMicroDataFile& file, Host& host, int caseNumber)
        : f_(file), host_(host), caseNumber_(caseNumber) {}

    /// Shows the field's message; always false so callers can return it.
    bool illegal(const char* name, int value) {
        host_.message(format("Illegal %s = %d, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop);
        return false;
    }
    bool illegal(const char* name, double value) {
        host_.message(format("Illegal %s = %lf, Case Number = %d", name, value, caseNumber_), MessageIcon::Stop);
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

    /// A fractional number of months, rounded half up into months.
    bool months(double& v, int& rounded, const char* name) {
        if (!f_.NextDouble(v) || !roundHalfUpChecked(v, rounded)) return illegal(name, v);
        return true;
    }

    CMicroDataFile& file() { return f_; }

private:
    CMicroDataFile& f_;
    Host& host_;
    int caseNumber_;
};

} // namespace kov
