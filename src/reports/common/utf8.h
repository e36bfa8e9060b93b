#pragma once
// Texts from the input files are bytes of whatever code page the data were
// typed in; charts and workbooks need UTF-8.
#include <string>

namespace kov::reports {

/// The text itself when it is valid UTF-8, else its bytes read as Latin-1.
std::string toUtf8(const std::string& text);

/// Number of code points of a valid UTF-8 text.
std::size_t utf8Length(const std::string& text);

/// The first n code points of a valid UTF-8 text.
std::string utf8Prefix(const std::string& text, std::size_t n);

} // namespace kov::reports
