#include "reports/xlsx_reader.h"

#include <cstdio>
#include <cstdlib>

namespace kov::test {

namespace {

std::string unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        const std::string f(from), t(to);
        for (std::size_t at = s.find(f); at != std::string::npos; at = s.find(f, at + t.size())) s.replace(at, f.size(), t);
    }
    return s;
}

// The text between the first open tag named `tag` (with any attributes) and its close, from `from` on.
std::string between(const std::string& xml, const std::string& tag, std::size_t from = 0) {
    const std::size_t open = xml.find("<" + tag, from);
    if (open == std::string::npos) return {};
    const std::size_t start = xml.find('>', open);
    if (start == std::string::npos || xml[start - 1] == '/') return {};
    const std::size_t end = xml.find("</" + tag + ">", start);
    return end == std::string::npos ? std::string() : xml.substr(start + 1, end - start - 1);
}

std::string attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(" " + name + "=\"");
    if (at == std::string::npos) return {};
    const std::size_t start = at + name.size() + 3;
    return unescape(element.substr(start, element.find('"', start) - start));
}

} // namespace

double XlsxCell::number() const { return std::strtod(value.c_str(), nullptr); }

XlsxReader::XlsxReader(const std::string& path) : path_(path) {
    const std::string workbook = part("xl/workbook.xml");
    opened_ = !workbook.empty();
    for (std::size_t at = workbook.find("<sheet "); at != std::string::npos; at = workbook.find("<sheet ", at + 1))
        sheets_.push_back(attribute(workbook.substr(at, workbook.find('>', at) - at), "name"));
    const std::string shared = part("xl/sharedStrings.xml");
    for (std::size_t at = shared.find("<si>"); at != std::string::npos; at = shared.find("<si>", at + 1))
        strings_.push_back(unescape(between(shared, "t", at)));
}

std::string XlsxReader::part(const std::string& name) const {
    const std::string command = "unzip -p \"" + path_ + "\" \"" + name + "\" 2>/dev/null";
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

const std::string& XlsxReader::sheetXml(int sheet) const {
    auto it = sheetCache_.find(sheet);
    if (it == sheetCache_.end())
        it = sheetCache_.emplace(sheet, part("xl/worksheets/sheet" + std::to_string(sheet) + ".xml")).first;
    return it->second;
}

XlsxCell XlsxReader::cell(int sheet, const std::string& ref) const {
    XlsxCell c;
    const std::string& xml = sheetXml(sheet);
    const std::size_t at = xml.find("<c r=\"" + ref + "\"");
    if (at == std::string::npos) return c;
    c.present = true;
    const std::size_t tagEnd = xml.find('>', at);
    const std::string open = xml.substr(at, tagEnd - at + 1);
    if (open.back() == '>' && open[open.size() - 2] == '/') return c;
    const std::string body = xml.substr(tagEnd + 1, xml.find("</c>", tagEnd) - tagEnd - 1);
    c.value = between(body, "v");
    c.formula = unescape(between(body, "f"));
    const std::string type = attribute(open, "t");
    if (type == "s") {
        const auto i = static_cast<std::size_t>(std::atoi(c.value.c_str()));
        if (i < strings_.size()) c.text = strings_[i];
    } else if (type == "inlineStr" || type == "str") {
        c.text = unescape(between(body, "t"));
    }
    return c;
}

double XlsxReader::columnWidth(int sheet, int column) const {
    const std::string& xml = sheetXml(sheet);
    const std::string want = std::to_string(column + 1);
    for (std::size_t at = xml.find("<col "); at != std::string::npos; at = xml.find("<col ", at + 1)) {
        const std::string element = xml.substr(at, xml.find('>', at) - at);
        if (attribute(element, "min") == want) return std::strtod(attribute(element, "width").c_str(), nullptr);
    }
    return 0.0;
}

} // namespace kov::test
