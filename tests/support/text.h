#pragma once
// Text helpers the output comparisons share.
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace kov::test {

inline std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

/// The text without the report's DATE and TIME lines, which differ from run to run.
inline std::string withoutClockLines(const std::string& text) {
    std::string out;
    for (const std::string& line : splitLines(text))
        if (line.rfind(" DATE: ", 0) != 0 && line.rfind(" TIME: ", 0) != 0) out += line + "\n";
    return out;
}

/// What write puts into a file, read back whole.
inline std::string writtenBy(const std::function<void(std::FILE*)>& write) {
    std::FILE* f = std::tmpfile();
    if (!f) return "<no temporary file>";
    write(f);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    return text;
}

} // namespace kov::test
