#pragma once
// Whole small text files in and out: the readers of cost, actuals, scenario
// and sweep files take the text at once, and the writers of their reports
// put several files in place one after the other.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kov {

/// The file's bytes; nullopt when it cannot be opened or is a folder (which
/// would read as an empty file).
std::optional<std::string> readWholeFile(const std::string& path);

/// Reads the file and hands its text to parse; when it cannot be read, error
/// says so for the kind of file ("cost file PATH cannot be read") and the
/// result is empty.
template <typename Parse>
auto readAndParse(const std::string& path, const std::string& kind, std::string& error, Parse parse)
    -> decltype(parse(std::string{})) {
    const std::optional<std::string> text = readWholeFile(path);
    if (text) return parse(*text);
    error = kind + " " + path + " cannot be read";
    return {};
}

/// Writes each (name, text) into folder, each replacing an older file whole,
/// in order; stops at the first that cannot be written, with error set. The
/// paths written.
std::vector<std::string> replaceFilesIn(const std::string& folder,
                                        const std::vector<std::pair<std::string, std::string>>& files,
                                        std::string& error);

} // namespace kov
