#include "input/stock_tables.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kov {
namespace {

constexpr std::size_t M = 121;
const char* const FelonyMessage =
    "You must set the Prison Demos By Felony Type parameter in the config file to 1 to use the felony stock input";

/// Stock tables files read into hand-sized state, the messages kept in host.
class StockTables : public ::testing::Test {
protected:
    std::string writeStockFile(const std::string& text) { return dir.put("stock.kov", text); }
    bool read(StateTables& st, const std::string& text) {
        host.messages.clear();
        return readStockTables(writeStockFile(text), st, host);
    }
    test::ScratchDir dir;
    RecordingHost host;
};

/// Counts of variables 0..6 and the tables sized the way the state allocation sizes them.
StateTables sized(std::array<int, 7> counts, bool felonyTables) {
    StateTables st;
    for (std::size_t k = 0; k < 7; ++k) {
        st.Values[k].count = counts[k];
        st.Stocks[k].assign(static_cast<std::size_t>(counts[k]) * M, 0.0);
    }
    st.Stocks[7].assign(M, 0.0);
    st.Timers.assign(static_cast<std::size_t>(std::max(7, counts[VarSentenceLength])), 0.0);
    if (felonyTables) {
        st.StockForFelonyType.resize(static_cast<std::size_t>(counts[VarFelonyType]));
        for (auto& slots : st.StockForFelonyType)
            for (std::size_t j = 0; j < 7; ++j) {
                const int k = j < 5 ? static_cast<int>(j) : static_cast<int>(j) + 1;
                slots[j].assign(static_cast<std::size_t>(st.countOrTotal(k)) * M, 0.0);
            }
    }
    return st;
}

/// rows x 121 numbers, eleven to a line: row r month t holds base + r * 1000 + t.
std::string numbers(int rows, int base, const char* eol = "\n") {
    std::string s;
    for (int r = 0; r < rows; ++r)
        for (int t = 0; t < static_cast<int>(M); ++t)
            s += std::to_string(base + r * 1000 + t) + (t % 11 == 10 ? eol : " ");
    return s;
}

std::string block(const std::string& header, int rows, int base, const char* eol = "\n") {
    return header + eol + eol + numbers(rows, base, eol) + eol;
}

double at(const Series& s, int row, int month) { return s[static_cast<std::size_t>(row) * M + static_cast<std::size_t>(month)]; }

TEST_F(StockTables, FelonyBlockNeedsItsTables) {
    StateTables st = sized({2, 3, 5, 4, 6, 3, 3}, false);
    EXPECT_FALSE(readStockTables(test::testDataPath("data/stock_tables_102.kov"), st, host));
    // One message: the refused block's numbers end the reading without a second one.
    EXPECT_EQ(host.only(MessageIcon::Plain), FelonyMessage);
    EXPECT_DOUBLE_EQ(st.Stocks[7][0], 0.0) << "no totals after a failed load";
    EXPECT_DOUBLE_EQ(st.Timers[0], 0.0);
}

TEST_F(StockTables, HeaderWordsAreComparedInLowerCase) {
    // Felony type 1: gender 2 rows, race 1 row, the other variables have none.
    StateTables st = sized({2, 1, 0, 0, 0, 1, 0}, true);
    const std::string tables = block("Gender", 2, 0) + block("Race", 1, 10);
    ASSERT_TRUE(read(st, tables + "   FELONY tables\n\n" + numbers(2, 500) + numbers(1, 600))) << host.joined();
    EXPECT_DOUBLE_EQ(at(st.StockForFelonyType[0][0], 1, 3), 1503.0);
    EXPECT_DOUBLE_EQ(at(st.StockForFelonyType[0][1], 0, 120), 720.0);
    EXPECT_DOUBLE_EQ(st.StockForFelonyType[0][6][3], 503.0 + 1503.0);
    EXPECT_DOUBLE_EQ(at(st.Stocks[1], 0, 7), 17.0);

    EXPECT_FALSE(read(st, "Offense stock\n\n" + numbers(4, 0)));
    EXPECT_EQ(host.only(MessageIcon::Plain), "The KOV program does not support offense tables in the stock input");
}

TEST_F(StockTables, CrLfBlankRunsAndWrappedNumbers) {
    StateTables st = sized({2, 1, 0, 0, 2, 1, 0}, false);
    // CR LF line ends, blank lines made of blanks (a lone CR too) between blocks, and a
    // sentence-length table written one number per line.
    std::string sentence = "Sentence\r\n\r\n";
    for (int r = 0; r < 2; ++r)
        for (int t = 0; t < 121; ++t) sentence += std::to_string(300 + r * 1000 + t) + "\r\n";
    ASSERT_TRUE(read(st, block("Gender", 2, 0, "\r\n") + "   \r\n\t\r\n\r\r\n" + block("Race", 1, 100, "\r\n") +
                             block("Age", 0, 0, "\r\n") + block("Offense-free", 0, 0, "\r\n") + sentence))
        << host.joined();
    EXPECT_DOUBLE_EQ(at(st.Stocks[1], 0, 120), 220.0);
    EXPECT_DOUBLE_EQ(st.Timers[0], 420.0);
    EXPECT_DOUBLE_EQ(st.Timers[1], 1420.0);
    EXPECT_DOUBLE_EQ(st.Stocks[7][5], 5.0 + 1005.0);
}

TEST_F(StockTables, HeaderWithoutBlankLineFailsNamingTheLine) {
    StateTables st = sized({2, 1, 0, 0, 0, 1, 0}, false);
    EXPECT_FALSE(read(st, "\nGender\n" + numbers(2, 0)));
    const std::string text =
        "Error in stock tables file " + dir.file("stock.kov") + ", line 3: a blank line expected after the header";
    ASSERT_EQ(host.joined(), text);
    EXPECT_EQ(host.whereOf(text), "in " + dir.file("stock.kov") + ", line 3");
    // A header at the very end of the file ends the reading; nothing is wrong with that.
    ASSERT_TRUE(read(st, block("Gender", 2, 0) + "Race"));
    EXPECT_DOUBLE_EQ(st.Stocks[7][0], 1000.0);
}

TEST_F(StockTables, AnEighthVariableTableIsRefused) {
    StateTables st = sized({1, 1, 1, 1, 1, 1, 1}, false);
    std::string text;
    for (int k = 0; k < 8; ++k) text += block("Table" + std::to_string(k), 1, 10 * k);
    EXPECT_FALSE(read(st, text));
    EXPECT_EQ(host.only(MessageIcon::Plain), "The stock tables file holds more than seven variable tables");
    EXPECT_DOUBLE_EQ(st.Stocks[7][0], 0.0) << "the totals are not overwritten by the eighth table";
}

TEST_F(StockTables, TotalsUseTheFirstTwoGenderCategoriesAtMost) {
    StateTables one = sized({1, 0, 0, 0, 0, 1, 0}, false);
    ASSERT_TRUE(read(one, block("Gender", 1, 7)));
    EXPECT_DOUBLE_EQ(one.Stocks[7][0], 7.0);
    EXPECT_DOUBLE_EQ(one.Stocks[7][120], 127.0);
    StateTables three = sized({3, 0, 0, 0, 0, 1, 0}, false);
    ASSERT_TRUE(read(three, block("Gender", 3, 0)));
    EXPECT_DOUBLE_EQ(at(three.Stocks[0], 2, 4), 2004.0);
    EXPECT_DOUBLE_EQ(three.Stocks[7][4], 4.0 + 1004.0) << "the third category is left out";
}

TEST_F(StockTables, TimersFollowMoreThanSevenSentenceLengths) {
    StateTables st = sized({1, 0, 0, 0, 9, 1, 0}, false);
    ASSERT_TRUE(read(st, block("g", 1, 0) + block("r", 0, 0) + block("a", 0, 0) + block("o", 0, 0) + block("s", 9, 0)));
    ASSERT_EQ(st.Timers.size(), 9u);
    EXPECT_DOUBLE_EQ(st.Timers[8], 8120.0);
}

} // namespace
} // namespace kov
