#pragma once
// A microdata file read once into numbers: each token as CMicroDataFile reads
// it, both as an integer and as a floating number. Runs that share a held file
// take its values without reading text again, and a bad token or line is told
// as the text would tell it.
#include "engine/microdata_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kov {

struct ParsedMicrodata {
    /// A token whose readings are not simply the integer v and the double v:
    /// a fraction, a bad number, "-0", or the marker's own value. Its place
    /// in tokens holds OddTokenMarker.
    struct OddToken {
        double number = 0.0;
        int integer = 0;
        TokenStatus integerStatus = TokenStatus::Bad;
        TokenStatus numberStatus = TokenStatus::Bad;
    };
    /// Where a line's tokens and odd tokens start; the next line's start is where they end.
    struct LineStart {
        std::uint32_t token = 0;
        std::uint32_t odd = 0;
    };

    std::vector<LineStart> lines; ///< one per line, then the end of the last
    std::vector<std::int32_t> tokens;
    std::vector<OddToken> odd;
    /// Why the reading stopped before the end of the text; the lines before it are kept.
    LineFault fault = LineFault::None;

    std::size_t lineCount() const { return lines.empty() ? 0 : lines.size() - 1; }
    /// Memory the numbers take.
    std::size_t bytes() const;
};

/// Reads the text of a microdata file into numbers. Nullopt when they would
/// take more than maxBytes: each run then reads the file itself.
std::optional<ParsedMicrodata> parseMicrodata(std::string_view text, std::size_t maxBytes);

} // namespace kov
