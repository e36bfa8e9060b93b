#include "engine/parsed_microdata.h"

#include <bit>
#include <cstdint>

namespace kov {
namespace {

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

} // namespace

std::size_t ParsedMicrodata::bytes() const {
    return lines.size() * sizeof(LineStart) + tokens.size() * sizeof(std::int32_t) + odd.size() * sizeof(OddToken);
}

std::optional<ParsedMicrodata> parseMicrodata(std::string_view text, std::size_t maxBytes) {
    // Two readers in step over the same text, one taking integers and one
    // doubles: each token is read exactly as a run reading the text reads it.
    CMicroDataFile integers, numbers;
    integers.OpenHeld({}, text);
    numbers.OpenHeld({}, text);
    ParsedMicrodata parsed;
    const auto start = [&parsed] {
        return ParsedMicrodata::LineStart{static_cast<std::uint32_t>(parsed.tokens.size()),
                                          static_cast<std::uint32_t>(parsed.odd.size())};
    };
    while (integers.ReadLine() && numbers.ReadLine()) {
        parsed.lines.push_back(start());
        for (;;) {
            int integer = 0;
            double number = 0.0;
            integers.NextInt(integer);
            numbers.NextDouble(number);
            const TokenStatus integerStatus = integers.tokenStatus(), numberStatus = numbers.tokenStatus();
            if (integerStatus == TokenStatus::Missing || numberStatus == TokenStatus::Missing) break;
            if (integerStatus == TokenStatus::Ok && numberStatus == TokenStatus::Ok &&
                integer != OddTokenMarker && sameBits(number, static_cast<double>(integer))) {
                parsed.tokens.push_back(integer);
            } else {
                parsed.tokens.push_back(OddTokenMarker);
                parsed.odd.push_back({number, integer, integerStatus, numberStatus});
            }
        }
        // The starts are 32 bits: a text that needs more is never held.
        if (parsed.bytes() > maxBytes || parsed.tokens.size() > UINT32_MAX || parsed.odd.size() > UINT32_MAX)
            return std::nullopt;
    }
    parsed.fault = integers.fault();
    parsed.lines.push_back(start());
    parsed.lines.shrink_to_fit();
    parsed.tokens.shrink_to_fit();
    parsed.odd.shrink_to_fit();
    if (parsed.bytes() > maxBytes) return std::nullopt;
    return parsed;
}

} // namespace kov
