#pragma once
// Text helpers every layer uses: the C library's ways of reading a number
// from the front of a text, and blanks trimmed.
#include <cstddef>
#include <string>

namespace kov {

/// isspace in the C locale.
inline bool isTextSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

/// Removes blanks (spaces, tabs, CR, LF) at both ends.
std::string trimBlanks(const std::string& s);

/// atoi / atof on a text: leading blanks skipped, leading number taken, 0 when none.
int leadingInt(const std::string& s);
double leadingDouble(const std::string& s);
/// The "%d" conversion at text[pos] (blanks already skipped): strtol, the value
/// clamped to int. Moves pos past the number; false, pos unchanged, when none.
bool scanInt(const std::string& text, std::size_t& pos, int& value);
/// True when the text, after leading blanks, starts with a number atof would take.
bool startsWithNumber(const std::string& s);

} // namespace kov
