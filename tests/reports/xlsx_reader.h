#pragma once
// Reads back what a workbook holds, for assertions: the sheet names in order
// and single cells (text, number or formula), straight from the .xlsx parts.
#include <map>
#include <string>
#include <vector>

namespace kov::test {

struct XlsxCell {
    bool present = false;
    std::string text;    ///< shared string or inline text
    std::string value;   ///< the <v> of a number cell
    std::string formula; ///< the <f> of a formula cell, without its '='
    double number() const;
};

class XlsxReader {
public:
    explicit XlsxReader(const std::string& path);
    bool opened() const { return opened_; }
    const std::vector<std::string>& sheetNames() const { return sheets_; }
    /// Cell ref ("E2") of sheet n, 1 = the first sheet.
    XlsxCell cell(int sheet, const std::string& ref) const;
    /// The width stored for column c (0 = A) of sheet n; 0 when none is.
    double columnWidth(int sheet, int column) const;

private:
    std::string part(const std::string& name) const;
    const std::string& sheetXml(int sheet) const;
    std::string path_;
    bool opened_ = false;
    std::vector<std::string> sheets_;
    std::vector<std::string> strings_;
    mutable std::map<int, std::string> sheetCache_;
};

} // namespace kov::test
