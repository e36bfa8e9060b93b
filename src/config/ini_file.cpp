#include "config/ini_file.h"

#include "config/replace_file.h"

#include "base/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kov {
namespace {

constexpr std::size_t npos = std::string::npos;
const std::string Bom = "\xEF\xBB\xBF";

std::string cut(std::string s) {
    if (s.size() > IniFile::MaxValueLength) s.resize(IniFile::MaxValueLength);
    return s;
}

bool isBlankLine(const std::string& body) { return trimBlanks(body).empty(); }

/// "[name]" with blanks allowed around; whatever follows the ']' is ignored.
bool headerName(const std::string& body, std::string& name) {
    const std::string t = trimBlanks(body);
    if (t.empty() || t.front() != '[') return false;
    const auto close = t.find(']');
    if (close == npos) return false;
    name = trimBlanks(t.substr(1, close - 1));
    return true;
}

/// "name=value"; lines starting with ';' are comments, never keys.
bool keyName(const std::string& body, std::string& name) {
    const std::string t = trimBlanks(body);
    if (t.empty() || t.front() == ';' || t.front() == '[') return false;
    const auto eq = body.find('=');
    if (eq == npos) return false;
    name = trimBlanks(body.substr(0, eq));
    return !name.empty();
}


char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

IniFile IniFile::load(const std::string& path) {
    IniFile f;
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto st = fs::status(path, ec);
    if (!fs::exists(st)) return f;
    f.state_ = LoadState::Unreadable;
    if (!fs::is_regular_file(st)) return f;
    std::ifstream in(path, std::ios::binary);
    if (!in) return f;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > MaxBytes) return f;
    in.seekg(0, std::ios::beg);
    std::string data(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(data.data(), size)) return f;
    f.parse(data);
    f.state_ = LoadState::Loaded;
    return f;
}

IniFile IniFile::fromText(const std::string& text) {
    IniFile f;
    f.parse(text);
    f.state_ = LoadState::Loaded;
    return f;
}

void IniFile::parse(const std::string& text) {
    lines_.clear();
    bool styleSeen = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto nl = text.find('\n', pos);
        Line line;
        if (nl == npos) {
            line.body = text.substr(pos);
            pos = text.size();
        } else {
            line.body = text.substr(pos, nl - pos);
            line.eol = "\n";
            if (!line.body.empty() && line.body.back() == '\r') {
                line.body.pop_back();
                line.eol = "\r\n";
            }
            pos = nl + 1;
            if (!styleSeen) {
                newLine_ = line.eol;
                styleSeen = true;
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::string IniFile::content(std::size_t i) const {
    // A byte-order mark stays in the bytes but must not hide the first line's meaning.
    const std::string& body = lines_[i].body;
    if (i == 0 && body.compare(0, Bom.size(), Bom) == 0) return body.substr(Bom.size());
    return body;
}

std::size_t IniFile::findSection(const std::string& section) const {
    const std::string wanted = trimBlanks(section);
    std::string name;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (headerName(content(i), name) && sameName(name, wanted)) return i;
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::string name;
    std::size_t i = header + 1;
    while (i < lines_.size() && !headerName(content(i), name)) ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t header, const std::string& key) const {
    const std::string wanted = trimBlanks(key);
    const std::size_t end = sectionEnd(header);
    std::string name;
    for (std::size_t i = header + 1; i < end; ++i)
        if (keyName(lines_[i].body, name) && sameName(name, wanted)) return i;
    return npos;
}

std::string IniFile::read(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const {
    const std::size_t header = findSection(section);
    if (header == npos) return cut(defaultValue);
    const std::size_t k = findKey(header, key);
    if (k == npos) return cut(defaultValue);
    const std::string& body = lines_[k].body;
    return cut(trimBlanks(body.substr(body.find('=') + 1)));
}

void IniFile::insertLine(std::size_t at, std::string body) {
    // The line before may be a last line without a line end.
    if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = newLine_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(body), newLine_});
}

void IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    // A line break inside a value would start a new line of the file.
    const std::string v = value.substr(0, value.find_first_of("\r\n"));
    const std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines_.empty() && !isBlankLine(content(lines_.size() - 1))) insertLine(lines_.size(), "");
        insertLine(lines_.size(), "[" + section + "]");
        insertLine(lines_.size(), key + "=" + v);
        return;
    }
    const std::size_t k = findKey(header, key);
    if (k != npos) {
        std::string& body = lines_[k].body;
        std::size_t start = body.find('=') + 1;
        if (trimBlanks(body.substr(start)) == v) return; // reads the same: keep the line's bytes
        // Keep the name and the spacing after '=' as the file has them.
        while (start < body.size() && (body[start] == ' ' || body[start] == '\t')) ++start;
        body = body.substr(0, start) + v;
        return;
    }
    std::size_t at = header + 1;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (!isBlankLine(content(i))) at = i + 1;
    insertLine(at, key + "=" + v);
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line.body;
        out += line.eol;
    }
    return out;
}

bool IniFile::save(const std::string& path, std::string* error) const {
    if (state_ == LoadState::Unreadable) {
        if (error) *error = path + " could not be read, so it is not replaced";
        return false;
    }
    return replaceFileContents(path, text(), error);
}

} // namespace kov
