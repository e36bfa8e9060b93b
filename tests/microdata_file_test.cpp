#include "engine/microdata_file.h"
#include "engine/rounding.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

TEST(MicroDataFile, LinesWithLfCrLfAndNoFinalLineEnd) {
    ScratchDir dir;
    dir.write("m.dat", "1 2\r\n\r\n  3 4\nlast");
    CMicroDataFile f;
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    EXPECT_EQ(f.lineCount(), 0);
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line(), "1 2") << "the CR of a CR LF end is part of the line end";
    EXPECT_EQ(f.lineCount(), 1);
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line(), "") << "an empty line is still a line";
    int v = 99;
    EXPECT_FALSE(f.NextInt(v));
    EXPECT_EQ(f.tokenStatus(), TokenStatus::Missing);
    EXPECT_EQ(v, 99);
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line(), "  3 4");
    EXPECT_EQ(f.tokenPosition(), 0);
    ASSERT_TRUE(f.NextInt(v));
    EXPECT_EQ(v, 3);
    EXPECT_EQ(f.tokenPosition(), 3);
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.tokenPosition(), 0) << "every line starts its tokens afresh";
    EXPECT_EQ(f.line(), "last");
    EXPECT_EQ(f.lineCount(), 4);
    EXPECT_FALSE(f.ReadLine());
    EXPECT_FALSE(f.failed()) << "the end of the file is not a fault";
    EXPECT_EQ(f.lineCount(), 4);
    EXPECT_EQ(f.faultText(), "");
}

struct TokenCase {
    const char* token;
    TokenStatus asInt;
    int intValue;
    TokenStatus asDouble;
    double doubleValue;
};

class TokenConversion : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenConversion, RefusesTokensWithoutAUsableNumber) {
    const TokenCase& c = GetParam();
    int i = -123;
    double d = -123.0;
    EXPECT_EQ(tokenToInt(c.token, i), c.asInt) << c.token;
    EXPECT_EQ(i, c.asInt == TokenStatus::Ok ? c.intValue : -123) << c.token;
    EXPECT_EQ(tokenToDouble(c.token, d), c.asDouble) << c.token;
    EXPECT_DOUBLE_EQ(d, c.asDouble == TokenStatus::Ok ? c.doubleValue : -123.0) << c.token;
}

constexpr TokenStatus Ok = TokenStatus::Ok;
constexpr TokenStatus Bad = TokenStatus::Bad;

INSTANTIATE_TEST_SUITE_P(
    MicroDataFile, TokenConversion,
    ::testing::Values(TokenCase{"17", Ok, 17, Ok, 17.0}, TokenCase{"12abc", Ok, 12, Ok, 12.0},
                      TokenCase{"2.49", Ok, 2, Ok, 2.49}, TokenCase{"\t5", Ok, 5, Ok, 5.0},
                      TokenCase{"x", Bad, 0, Bad, 0.0}, TokenCase{"NA", Bad, 0, Bad, 0.0},
                      TokenCase{".", Bad, 0, Bad, 0.0}, TokenCase{"-", Bad, 0, Bad, 0.0},
                      TokenCase{"\t", Bad, 0, Bad, 0.0},
                      // non-finite doubles are refused; as integers they have no digits
                      TokenCase{"nan", Bad, 0, Bad, 0.0}, TokenCase{"inf", Bad, 0, Bad, 0.0},
                      TokenCase{"1e999", Ok, 1, Bad, 0.0},
                      // beyond 32 bits as an integer, fine as a double
                      TokenCase{"2147483647", Ok, INT_MAX, Ok, 2147483647.0},
                      TokenCase{"-2147483648", Ok, INT_MIN, Ok, -2147483648.0},
                      TokenCase{"2147483648", Bad, 0, Ok, 2147483648.0},
                      TokenCase{"99999999999999999999", Bad, 0, Ok, 1e20}));

// Plain decimal tokens take a quicker way than the C library: every token
// must still read exactly as strtoll and strtod read it.
TEST(MicroDataFile, PlainNumbersReadExactlyAsTheCLibraryReadsThem) {
    std::mt19937 gen(20261207);
    auto pick = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
    std::vector<std::string> tokens = {"0", "-0", "+0", "-0.0", "9007199254740991", "9007199254740993",
                                       "900719925474099.5", "0.1", "0.3", "123456789012345678", "1234567890123456789",
                                       "0.0000000000000000000001", "0.00000000000000000000001", "5.", ".5", "-.5",
                                       "1.2.3", "12-3", "2147483648", "-2147483649", "000000000000000000000007"};
    for (int i = 0; i < 20000; ++i) {
        std::string t = pick(4) == 0 ? (pick(2) ? "-" : "+") : "";
        const int digits = 1 + pick(i % 3 == 0 ? 24 : 9);
        const int point = pick(digits + 2);
        for (int j = 0; j < digits; ++j) {
            if (j == point) t += '.';
            t += static_cast<char>('0' + pick(10));
        }
        if (pick(10) == 0) t += std::string("eEx.a+-")[static_cast<std::size_t>(pick(7))] + std::to_string(pick(30));
        tokens.push_back(t);
    }
    std::string lines;
    for (const std::string& t : tokens) lines += t + "   " + t + "\n";
    ScratchDir dir;
    dir.write("m.dat", lines);
    CMicroDataFile f;
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    for (const std::string& t : tokens) {
        ASSERT_TRUE(f.ReadLine());
        errno = 0;
        char* end = nullptr;
        const long long wantInt = std::strtoll(t.c_str(), &end, 10);
        const bool intOk = end != t.c_str() && errno != ERANGE && wantInt >= INT_MIN && wantInt <= INT_MAX;
        int i = -7;
        EXPECT_EQ(f.NextInt(i), intOk) << t;
        if (intOk) {
            EXPECT_EQ(i, wantInt) << t;
        }
        const double wantDouble = std::strtod(t.c_str(), &end);
        double d = -7.0;
        ASSERT_TRUE(f.NextDouble(d)) << t;
        EXPECT_EQ(std::memcmp(&d, &wantDouble, sizeof d), 0) << t << " read as " << d << ", not " << wantDouble;
    }
}

TEST(MicroDataFile, LongestLineIsAcceptedOneMoreCharacterIsRefused) {
    ScratchDir dir;
    const std::string longest(CMicroDataFile::MaxLineLength, '7');
    dir.write("m.dat", longest + "\r\n" + longest + "\n1 " + longest + "\n4 5\n");
    CMicroDataFile f;
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line().size(), CMicroDataFile::MaxLineLength) << "a CR LF end does not count";
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line().size(), CMicroDataFile::MaxLineLength);
    EXPECT_FALSE(f.ReadLine());
    EXPECT_TRUE(f.failed());
    EXPECT_EQ(f.fault(), LineFault::TooLong);
    EXPECT_EQ(f.lineCount(), 2);
    EXPECT_EQ(f.faultText(), "Line 3 of " + dir.file("m.dat") + " is longer than 65536 characters");
    EXPECT_FALSE(f.ReadLine()) << "the reader stays stopped after a fault";
    EXPECT_EQ(f.lineCount(), 2);
}

// The file is read a block at a time: lines that straddle blocks, CR LF ends
// split between two blocks and a NUL far into the file must come out as a
// line-by-line reading gives them.
TEST(MicroDataFile, LinesAcrossReadBlocksComeOutWhole) {
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; text.size() < 300000; ++i) {
        lines.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i * 37 % 1500), 'x'));
        text += lines.back() + (i % 3 == 0 ? "\r\n" : "\n");
    }
    ScratchDir dir;
    dir.write("m.dat", text);
    CMicroDataFile f;
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    for (const std::string& line : lines) {
        ASSERT_TRUE(f.ReadLine());
        ASSERT_EQ(f.line(), line) << "line " << f.lineCount();
    }
    EXPECT_FALSE(f.ReadLine());
    EXPECT_FALSE(f.failed());

    const std::size_t late = text.find('\n', 200000) + 3; // inside a line well past the first block
    text[late] = '\0';
    dir.write("m.dat", text);
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    while (f.ReadLine()) {
    }
    EXPECT_EQ(f.fault(), LineFault::NotText);
    const auto lineOfNul = static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(late), '\n')) + 1;
    EXPECT_EQ(f.faultText(), "Line " + std::to_string(lineOfNul) + " of " + dir.file("m.dat") + " is not text");
}

TEST(MicroDataFile, BinaryFileIsNotText) {
    ScratchDir dir;
    dir.write("m.dat", std::string("1 2 3\nAB\0CD\n5 6\n", 16));
    CMicroDataFile f;
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    ASSERT_TRUE(f.ReadLine());
    EXPECT_FALSE(f.ReadLine());
    EXPECT_EQ(f.fault(), LineFault::NotText);
    EXPECT_EQ(f.faultText(), "Line 2 of " + dir.file("m.dat") + " is not text");
    EXPECT_FALSE(f.ReadLine());
}

TEST(MicroDataFile, OpenFailuresGiveTheirCause) {
    ScratchDir dir;
    CMicroDataFile f;
    EXPECT_FALSE(f.Open(dir.file("missing.dat")));
    EXPECT_EQ(f.openCause(), 2);
    EXPECT_FALSE(f.ReadLine());
    EXPECT_FALSE(f.Open(dir.str()));
    EXPECT_EQ(f.openCause(), 5) << "a folder is not a file";
    dir.write("m.dat", "1\n");
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    EXPECT_EQ(f.openCause(), 0);
    ASSERT_TRUE(f.ReadLine());
    ASSERT_TRUE(f.Open(dir.file("m.dat")));
    EXPECT_EQ(f.lineCount(), 0) << "reopening starts again";
    ASSERT_TRUE(f.ReadLine());
    EXPECT_EQ(f.line(), "1");
}

// Positive halves are pinned by the case reader's test; negatives and the integer range here.
TEST(Rounding, HalfUpAndGuardedAtTheIntegerRange) {
    EXPECT_EQ(roundHalfUp(-2.5), -2) << "floor -3, fraction 0.5, so ceil";
    EXPECT_EQ(roundHalfUp(-2.6), -3);
    int r = 7;
    EXPECT_TRUE(roundHalfUpChecked(2147483646.5, r));
    EXPECT_EQ(r, INT_MAX);
    EXPECT_FALSE(roundHalfUpChecked(2147483647.5, r));
    EXPECT_FALSE(roundHalfUpChecked(1e12, r));
    EXPECT_FALSE(roundHalfUpChecked(-1e12, r));
    EXPECT_FALSE(roundHalfUpChecked(std::nan(""), r));
    EXPECT_FALSE(roundHalfUpChecked(std::numeric_limits<double>::infinity(), r));
    EXPECT_EQ(r, INT_MAX) << "a refused value leaves the result alone";
    EXPECT_EQ(roundHalfUp(1e12), INT_MAX);
    EXPECT_EQ(roundHalfUp(-1e12), INT_MIN);
    EXPECT_EQ(roundHalfUp(std::nan("")), 0);
}

} // namespace
} // namespace kov
