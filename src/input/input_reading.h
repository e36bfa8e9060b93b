#pragma once
// Small pieces shared by the table readers: numbers into a run of doubles,
// blank-line tests and the allocation message.
#include "input/state_tables.h"
#include "input/text_file.h"

#include <cstddef>
#include <new>       // std::bad_alloc
#include <stdexcept> // std::length_error
#include <string>

namespace kov {

class Host;

/// Reads count numbers (fscanf " %lf" style) into s[offset ...]. A number that
/// cannot be read leaves its cell as it was, and so do the ones after it (the
/// reader stops at the first thing that is not a number). Cells beyond the
/// end of s are read and dropped, so a short table is never written past.
/// Returns how many numbers were read.
std::size_t readNumbersInto(TextFile& f, Series& s, std::size_t offset, std::size_t count);

/// Drops the rest of the line on which a run of count numbers ended. A run of
/// no numbers ended on its title line, which was read whole, so nothing goes.
inline void dropRestOfNumberLine(TextFile& f, std::size_t count) {
    if (count > 0) f.skipRestOfLine();
}

/// True for a line that is empty or holds only blanks (a stray CR included).
bool isBlankLine(const std::string& line);

/// "Unable to allocate memory for " + name, with the stop icon.
void reportAllocationFailure(Host& host, const std::string& name);

/// v.assign(n, value), false instead of an exception when the memory is not there.
template <class Vector, class Value>
bool tryAssign(Vector& v, std::size_t n, const Value& value) {
    try {
        v.assign(n, value);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

/// "name[i]" and "name[i][j]", the way the allocation messages spell them.
std::string indexedName(const std::string& name, int i);
std::string indexedName(const std::string& name, int i, int j);

} // namespace kov
