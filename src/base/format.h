#pragma once
// printf-style formatting into a std::string, for the system's exact message texts.
#include <cstdarg>
#include <string>

namespace kov {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string format(const char* fmt, ...);

#if defined(__GNUC__)
__attribute__((format(printf, 1, 0)))
#endif
std::string vformat(const char* fmt, std::va_list args);

} // namespace kov
