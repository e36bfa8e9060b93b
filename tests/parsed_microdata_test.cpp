#include "engine/parsed_microdata.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace kov {
namespace {

// A held file is read from its numbers instead of its text: every request a
// case or stock record makes, in any order of integers and doubles and with
// lines left half read, must come out as the text gives it, faults included.
TEST(ParsedMicrodata, ReadsAsItsText) {
    const std::vector<std::string> tokens = {
        "0", "-0", "+0", "-0.0", "0.0", "2.00", "7", "-12", "12abc", "2.49", "\t5", "x", "NA", ".", "-", "nan", "inf",
        "1e999", "1e3", "0x10", "5.", ".5", "-.5", "1.2.3", "2147483647", "-2147483648", "2147483648", "-2147483649",
        "99999999999999999999", "0.1", "0.3", "9007199254740993", "000000000000000000000007"};
    std::mt19937 gen(5150);
    const auto pick = [&gen](std::size_t n) { return static_cast<std::size_t>(gen() % n); };
    std::string text;
    for (int line = 0; line < 400; ++line) {
        if (line % 37 == 5) {
            text += line % 2 ? "\n" : "   \r\n"; // an empty line and a blank one
            continue;
        }
        const std::size_t count = 1 + pick(30);
        for (std::size_t k = 0; k < count; ++k) text += std::string(1 + pick(2), ' ') + tokens[pick(tokens.size())];
        text += pick(3) == 0 ? "\r\n" : "\n";
    }
    for (const std::string& end : {std::string("7 8.5 x"), std::string("1 2\n3 AB\0CD 4\n5\n", 16),
                                   std::string(CMicroDataFile::MaxLineLength + 1, '9') + "\n1\n"}) {
        const std::string whole = text + end;
        const auto parsed = parseMicrodata(whole, std::size_t{1} << 24);
        ASSERT_TRUE(parsed);
        CMicroDataFile fromText, fromNumbers;
        fromText.OpenHeld("m.dat", whole);
        fromNumbers.OpenParsed("m.dat", *parsed);
        for (;;) {
            const bool read = fromText.ReadLine();
            ASSERT_EQ(fromNumbers.ReadLine(), read) << "line " << fromText.lineCount();
            ASSERT_EQ(fromNumbers.lineCount(), fromText.lineCount());
            if (!read) break;
            const std::size_t wanted = pick(40); // sometimes fewer than the line has, sometimes more
            for (std::size_t k = 0; k < wanted; ++k) {
                bool taken = false;
                if (pick(2) == 0) {
                    int a = -7, b = -7;
                    taken = fromText.NextInt(a);
                    EXPECT_EQ(fromNumbers.NextInt(b), taken) << "line " << fromText.lineCount() << " token " << k;
                    EXPECT_EQ(b, a) << "line " << fromText.lineCount() << " token " << k;
                } else {
                    double a = -7.0, b = -7.0;
                    taken = fromText.NextDouble(a);
                    EXPECT_EQ(fromNumbers.NextDouble(b), taken) << "line " << fromText.lineCount() << " token " << k;
                    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << a << " and " << b << " on line " << fromText.lineCount();
                }
                ASSERT_EQ(fromNumbers.tokenStatus(), fromText.tokenStatus()) << "line " << fromText.lineCount();
                if (fromText.tokenStatus() == TokenStatus::Missing) break;
            }
        }
        EXPECT_EQ(fromNumbers.fault(), fromText.fault());
        EXPECT_EQ(fromNumbers.faultText(), fromText.faultText());
        EXPECT_FALSE(fromNumbers.ReadLine()) << "the reader stays at the end";
    }

    // Numbers that would take more memory than allowed are not kept.
    EXPECT_FALSE(parseMicrodata(text, text.size() / 4));
}

} // namespace
} // namespace kov
