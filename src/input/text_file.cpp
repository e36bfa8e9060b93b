#include "input/text_file.h"

#include "base/text.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kov {
namespace {

std::string normaliseLineEnds(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out.push_back(s[i]);
    }
    return out;
}

// Title up to the first full stop, then the dot-leader token; returns the rest.
bool splitDotLeader(const std::string& line, std::string& title, const char*& rest) {
    std::size_t i = 0;
    while (i < line.size() && isTextSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != '.' && line[i] != '\n') ++i;
    if (i == start) return false; // %[^.] needs at least one character
    title = line.substr(start, i - start);
    while (i < line.size() && isTextSpace(line[i])) ++i;
    if (i >= line.size()) return false;
    while (i < line.size() && !isTextSpace(line[i])) ++i; // %*s
    rest = line.c_str() + i;
    return true;
}

} // namespace

TextFile::TextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > MaxBytes) return;
    in.seekg(0, std::ios::beg);
    std::string data(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(data.data(), size)) return;
    text_ = normaliseLineEnds(std::move(data));
    open_ = true;
}

TextFile TextFile::fromText(std::string text) {
    TextFile f;
    f.text_ = normaliseLineEnds(std::move(text));
    f.open_ = true;
    return f;
}

bool TextFile::readLine(std::string& line, std::size_t bufferSize, bool* hadLineEnd) {
    if (hadLineEnd) *hadLineEnd = false;
    if (atEnd() || bufferSize < 2) return false;
    lineStart_ = pos_;
    const std::size_t limit = bufferSize - 1;
    std::size_t n = 0;
    line.clear();
    while (pos_ < text_.size() && n < limit) {
        const char c = text_[pos_++];
        ++n;
        if (c == '\n') {
            if (hadLineEnd) *hadLineEnd = true;
            return true;
        }
        line.push_back(c);
    }
    return true;
}

int TextFile::lineAt(std::size_t pos) const {
    const auto end = text_.begin() + static_cast<std::ptrdiff_t>(std::min(pos, text_.size()));
    return 1 + static_cast<int>(std::count(text_.begin(), end, '\n'));
}

bool TextFile::readDouble(double& value) {
    while (pos_ < text_.size() && isTextSpace(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return false;
    const char* begin = text_.c_str() + pos_;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(begin, &end);
    if (end == begin) return false;
    value = v;
    pos_ += static_cast<std::size_t>(end - begin);
    return true;
}

bool TextFile::readInt(int& value) {
    while (pos_ < text_.size() && isTextSpace(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return false;
    return scanInt(text_, pos_, value);
}

void TextFile::skipRestOfLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) ++pos_;
}

bool parseDotLeaderInt(const std::string& line, std::string& title, int& value) {
    const char* rest = nullptr;
    std::string t;
    if (!splitDotLeader(line, t, rest)) return false;
    while (*rest && isTextSpace(*rest)) ++rest;
    char* end = nullptr;
    long v = std::strtol(rest, &end, 10);
    if (end == rest) return false;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    title = t;
    value = static_cast<int>(v);
    return true;
}

bool parseDotLeaderDouble(const std::string& line, std::string& title, double& value) {
    const char* rest = nullptr;
    std::string t;
    if (!splitDotLeader(line, t, rest)) return false;
    while (*rest && isTextSpace(*rest)) ++rest;
    char* end = nullptr;
    const double v = std::strtod(rest, &end);
    if (end == rest) return false;
    title = t;
    value = v;
    return true;
}

} // namespace kov
