// The profile (INI) layer in memory. The input is the file's text, then after
// a form feed a value to write (a fixed one without a form feed). Checked: the
// text comes back byte for byte, and a written value reads back as written,
// also after the text is parsed again.
#include "base/text.h"
#include "config/ini_file.h"
#include "fuzz_support.h"

#include <array>
#include <utility>

namespace {

/// What read returns after write(value): the value up to a line break, blanks around it dropped, cut.
std::string readsAs(const std::string& value) {
    std::string v = kov::trimBlanks(value.substr(0, value.find_first_of("\r\n")));
    if (v.size() > kov::IniFile::MaxValueLength) v.resize(kov::IniFile::MaxValueLength);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = kov::fuzz::splitFiles(kov::fuzz::asText(data, size), 2);
    const std::string text(parts[0]);
    const std::string value = parts.size() > 1 ? std::string(parts[1]) : std::string("fuzz value");
    // Names as the configuration spells them, and the same in other cases.
    static const std::array<std::pair<const char*, const char*>, 4> Names = {{{"TITLE", "Title"},
                                                                              {"RUN PARAMETERS", "Number of Cases"},
                                                                              {"run parameters", "NUMBER OF CASES"},
                                                                              {"POSTPRISON OPTIONS", "Dual Guidelines"}}};
    const auto& [section, key] = Names[size % Names.size()];

    kov::IniFile ini = kov::IniFile::fromText(text);
    kov::fuzz::require(ini.text() == text, "the text comes back unchanged");
    for (const auto& [s, k] : Names) {
        const std::string v = ini.read(s, k, "default");
        kov::fuzz::require(v.size() <= kov::IniFile::MaxValueLength, "a value is cut at 255 characters");
    }
    ini.write(section, key, value);
    const std::string expected = readsAs(value);
    kov::fuzz::require(ini.read(section, key, "default") == expected, "a written value reads back");
    const kov::IniFile again = kov::IniFile::fromText(ini.text());
    kov::fuzz::require(again.read(section, key, "default") == expected, "a written value survives the text");
    return 0;
}
