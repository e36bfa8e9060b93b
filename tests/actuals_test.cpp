// Accuracy against observed counts: a small case worked out by hand, actuals
// files that must be refused with the line and field at fault, and a run that
// sets the counts of its own CSV export beside the actuals.
#include "actuals/accuracy.h"
#include "actuals/accuracy_report.h"
#include "actuals/actuals_file.h"
#include "reports/csv/csv_rows.h"
#include "support/run_cli.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace kov {
namespace {

const std::string Total = "Prison - Total Count Per Month:";

TEST(Actuals, ErrorsMapeAndBiasByHand) {
    std::string error;
    const auto file = actuals::parseActualsFile("a.csv",
                                                std::string(actuals::ActualsHeader) + "\n" + Total +
                                                    ",Total,2025,1,100\n" + Total + ",Total,2025,6,100\n" + Total +
                                                    ",Total,2026,12,80\n" + Total + ",Total,2025,2,0\n" + Total +
                                                    ",Total,2035,1,5\nJail Total,Total,2025,1,7\n",
                                                error);
    ASSERT_TRUE(file) << error;
    CsvRecords run = {{Total, "Total", 2025, 1, 110},          {Total, "Total", 2025, 2, 50},
                      {Total, "Total", 2025, 6, 90},           {Total, "Total", 2026, 12, 100},
                      {"Prison Gender", "Male", 2025, 1, 999}, {"Prison Gender", "Total", 2025, 6, 999}};
    const actuals::Accuracy a = actuals::compareWithActuals(*file, run, 2025);

    // Months ahead 1, 2, 6, 24: errors +10, +50, -10, +20; percents +10, none (actual 0), -10, +25.
    // MAPE (10 + 10 + 25) / 3 = 15; mean % (10 - 10 + 25) / 3 = 8.33; mean error (10 + 50 - 10 + 20) / 4 = 17.5.
    ASSERT_EQ(a.series.size(), 1u);
    const actuals::SeriesAccuracy& s = a.series[0];
    ASSERT_EQ(s.months.size(), 4u);
    const int ahead[] = {1, 2, 6, 24};
    const double errors[] = {10, 50, -10, 20};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(s.months[i].monthsAhead, ahead[i]);
        EXPECT_DOUBLE_EQ(s.months[i].error, errors[i]);
    }
    EXPECT_FALSE(s.months[1].percentError);
    EXPECT_DOUBLE_EQ(s.months[3].percentError.value_or(0), 25.0);
    EXPECT_EQ(s.zeroActuals, 1);
    EXPECT_DOUBLE_EQ(s.mape.value_or(0), 15.0);
    EXPECT_DOUBLE_EQ(s.meanError, 17.5);
    EXPECT_NEAR(s.meanPercentError.value_or(0), 25.0 / 3, 1e-12);
    // 2035 is past the run's months; the jail series is not in the run.
    ASSERT_EQ(a.unmatched.size(), 2u);
    EXPECT_TRUE(a.unmatched[0].knownSeries);
    EXPECT_EQ(a.unmatched[1].actual->table, "Jail Total");
    EXPECT_FALSE(a.unmatched[1].knownSeries);

    const std::string text = actuals::accuracyText(*file, a, 2025);
    for (const char* row : {"              1          110          100        +10     +10.0\n",
                            "              6           90          100        -10     -10.0\n",
                            "             24          100           80        +20     +25.0\n",
                            "   MAPE 15.0%    Bias +18 a month (+8.3%)\n"})
        EXPECT_NE(text.find(row), std::string::npos) << row << text;
    EXPECT_EQ(text.find("              2 "), std::string::npos) << "month 2 is not a reported horizon";
    EXPECT_NE(text.find("1 observed count names a series the run did not write, left out: \"Jail Total\""),
              std::string::npos);
    EXPECT_NE(actuals::accuracyCsv(a).find(Total + ",Total,2025,2,2,50,0,50,\n"), std::string::npos);
}

TEST(Actuals, AFileIsReadAsRfc4180OrRefusedNamingLineAndField) {
    const std::string head = std::string(actuals::ActualsHeader) + "\r\n";
    std::string error;
    const auto good = actuals::parseActualsFile(
        "a.csv", head + "\r\n\"Prison, \"\"all\"\"\",Total,2025,3,14500.5\r\n\r\nJail,\"Male\",2025,12,0\r\n", error);
    ASSERT_TRUE(good) << error;
    ASSERT_EQ(good->values.size(), 2u);
    EXPECT_EQ(good->values[0].table, "Prison, \"all\"");
    EXPECT_EQ(good->values[0].line, 3);
    EXPECT_EQ(good->values[1].category, "Male");
    EXPECT_EQ(good->values[1].line, 5);

    const struct {
        std::string text, message;
    } cases[] = {
        {"table,category,year,month,count\n", "line 1: the header must be table,category,year,month,value"},
        {head + "Prison,Total,2025,1\n", "line 2: 4 fields where the header has 5"},
        {head + "Prison,Total,soon,1,5\n", "line 2: field \"year\": \"soon\" is not a year"},
        {head + "\nPrison,Total,2025,13,5\n", "line 3: field \"month\": \"13\" is not a month from 1 to 12"},
        {head + "Prison,Total,2025,1,many\n", "line 2: field \"value\": \"many\" is not a number"},
        {head + "Prison,Total,2025,1,-1\n", "line 2: field \"value\": \"-1\" is not a count"},
        {head + "Prison,Total,2025,1,Inf\n", "line 2: field \"value\": \"Inf\" is not a count"},
        {head + "Prison,,2025,1,5\n", "line 2: field \"category\": is empty"},
        {head + "Prison,Total,2025,1,5\r\nPrison,Total,2025,01,6\r\n",
         "line 3: fields table, category, year, month: \"Prison\", \"Total\", 2025, 1 given twice (also on line 2)"},
        {head + "\"Prison,Total,2025,1,5\n", "line 2: a quoted field is not closed"},
        {head, "has no observed counts"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(actuals::parseActualsFile("a.csv", c.text, error)) << c.text;
        EXPECT_EQ(error.rfind("actuals file a.csv", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(Actuals, RunRefusesABadFileBeforeRunningAndComparesWithItsOwnExport) {
    test::ScratchDir dir("reference/set1");
    const std::string run = "run " + dir.quoted("run.kov") + " --csv " + dir.quoted("csv") + " --actuals ";
    const std::string head = std::string(actuals::ActualsHeader) + "\n";
    dir.write("a.csv", head + Total + ",Total,2011,13,14000\n");
    auto r = test::kovary(dir, run + dir.quoted("a.csv"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("kovary: error: actuals file " + dir.file("a.csv") + ", line 2: field \"month\""),
              std::string::npos)
        << r.err;
    dir.write("accuracy.csv", head + Total + ",Total,2011,1,14000\n");
    r = test::kovary(dir, run + dir.quoted("accuracy.csv"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("is where the run writes its accuracy"), std::string::npos) << r.err;
    EXPECT_FALSE(dir.exists("tables_101.out") || dir.exists("csv") || dir.exists("accuracy.txt"));

    // The run's first year is 2011; its first three months, a series it does not write, and a month past its end.
    dir.write("a.csv", head + Total + ",Total,2011,3,8000\n" + Total + ",Total,2011,1,8000.5\n" + Total +
                           ",Total,2011,2,0\nNo Such Table,Total,2011,1,1\n" + Total + ",Total,2040,1,1\n");
    r = test::kovary(dir, run + dir.quoted("a.csv"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Accuracy: " + dir.file("accuracy.csv")), std::string::npos) << r.out;

    std::string error;
    const auto exported = actuals::parseActualsFile("prison.csv", dir.read("csv/prison.csv"), error);
    ASSERT_TRUE(exported) << error;
    std::map<int, double> projected;
    for (const actuals::Actual& v : exported->values)
        if (v.table == Total && v.year == 2011) projected[v.month] = v.value;
    std::vector<CsvRow> rows;
    int line = 0;
    ASSERT_TRUE(splitCsvRows(dir.read("accuracy.csv"), rows, line));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].fields.at(5), "projected");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& f = rows[i].fields;
        ASSERT_EQ(f.size(), 9u);
        EXPECT_EQ(f[4], std::to_string(i)) << "months ahead, in order";
        EXPECT_EQ(std::strtod(f[5].c_str(), nullptr), projected.at(std::atoi(f[3].c_str()))) << f[5];
        EXPECT_EQ(f[6], i == 1 ? "8000.5" : i == 2 ? "0" : "8000");
        EXPECT_EQ(f[8].empty(), i == 2) << "no percent error where the actual is 0";
    }
    const std::string text = dir.read("accuracy.txt");
    EXPECT_NE(text.find("names a series the run did not write, left out: \"No Such Table\""), std::string::npos)
        << text;
    EXPECT_NE(text.find("falls in a month the run did not project"), std::string::npos) << text;
}

} // namespace
} // namespace kov
