// Costs by fiscal year: a year worked out by hand, and cost files that must be
// refused with the line and field at fault before anything runs.
#include "costs/cost_file.h"
#include "costs/fiscal_costs.h"
#include "support/run_cli.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

TEST(Costs, AYearByHandWithAJulyFiscalYearAndInflation) {
    std::string error;
    const auto file = costs::parseCostFile("c.txt",
                                           "# comment\n[COSTS]\ncurrency year = 2024\nInflation=0.1\n"
                                           "First Month of Fiscal Year=7\n\n[DAILY COSTS]\nPrison = 10, 4\r\n",
                                           error);
    ASSERT_TRUE(file) << error;
    CsvRecords series;
    for (int m = 1; m <= 12; ++m) {
        series.push_back({"Prison - Total Count Per Month:", "Total", 2024, m, m <= 6 ? 100.0 : 200.0});
        series.push_back({"Jail - Total Count Per Month:", "Total", 2024, m, 1e6}); // not the prison's
    }
    const auto costs = costs::fiscalCosts(*file, series);
    ASSERT_EQ(costs.size(), 1u);
    ASSERT_EQ(costs[0].years.size(), 2u);
    // January to June 2024, a leap year: 182 days of 100 people, in 2024 dollars.
    const costs::FiscalYearCost& first = costs[0].years[0];
    EXPECT_EQ(first.fiscalYear, 2024);
    EXPECT_EQ(first.months, 6);
    EXPECT_NEAR(first.averagePopulation, 100.0, 1e-9);
    EXPECT_NEAR(first.averageCost, 182 * 100 * 10.0, 1e-6);
    EXPECT_NEAR(first.marginalCost, 182 * 100 * 4.0, 1e-6);
    // July to December 2024 is fiscal 2025: 184 days of 200 people, one year of inflation.
    const costs::FiscalYearCost& second = costs[0].years[1];
    EXPECT_EQ(second.fiscalYear, 2025);
    EXPECT_EQ(second.months, 6);
    EXPECT_NEAR(second.averagePopulation, 200.0, 1e-9);
    EXPECT_NEAR(second.averageCost, 184 * 200 * 10.0 * 1.1, 1e-6);
    EXPECT_NEAR(second.marginalCost, 184 * 200 * 4.0 * 1.1, 1e-6);
}

TEST(Costs, ABadCostFileNamesLineAndField) {
    const std::string head = "[COSTS]\nCurrency Year=2025\nInflation=0.02\n[DAILY COSTS]\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {head + "Prison=98.5, lots\n", "line 5: field \"Prison\": \"98.5, lots\" is not two numbers"},
        {head + "Prisons=98.5, 30\n", "line 5: field \"Prisons\": no such population"},
        {head + "Jail=-1, 30\n", "line 5: field \"Jail\": a daily cost cannot be negative"},
        {head + "Jail=70\n", "line 5: field \"Jail\": expected two costs"},
        {head + "Jail=70, 20\njail=70, 20\n", "line 6: field \"jail\": given twice (also on line 5)"},
        {"[COSTS]\nCurrency Year=soon\n", "line 2: field \"Currency Year\": \"soon\" is not a year"},
        {"[COSTS]\nFirst Month of Fiscal Year=13\n", "line 2: field \"First Month of Fiscal Year\""},
        {"[COSTS]\nCurrency Year=2025\n[DAILY COSTS]\nPrison=1,1\n", "[COSTS] has no \"Inflation\""},
        {"Prison=1,1\n", "line 1: \"Prison\" stands before any section"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(costs::parseCostFile("c.txt", c.text, error)) << c.text;
        EXPECT_NE(error.find("cost file c.txt"), std::string::npos) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(Costs, RunRefusesACostFileBeforeRunningAndWritesCostsAfter) {
    test::ScratchDir dir("reference/set1");
    const std::string run = "run " + dir.quoted("run.kov") + " --costs " + dir.quoted("c.txt");
    const std::string head = "[COSTS]\nCurrency Year=2011\nInflation=0\n[DAILY COSTS]\n";
    dir.write("c.txt", head + "Prison=100, 30\nHome Detention=10, 5\n");
    auto r = test::kovary(dir, run + " --set \"OUTPUT TABLES/Sanctions Home Detention=0\"");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("line 6: the run writes no counts for \"Home Detention\": switch on \"Sanctions Home Detention\""),
              std::string::npos)
        << r.err;
    dir.write("c.txt", head + "Prison=100, x\n");
    EXPECT_EQ(test::kovary(dir, run).code, 1);
    EXPECT_FALSE(dir.exists("tables_101.out"));

    dir.write("c.txt", head + "Prison=100, 30\n");
    r = test::kovary(dir, run);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string csv = dir.read("fiscal-costs.csv");
    EXPECT_EQ(csv.rfind("population,fiscal_year,months,average_daily_population,average_cost,marginal_cost\n"
                        "Prison,2011,12,",
                        0),
              0u)
        << csv;
    EXPECT_NE(dir.read("fiscal-costs.txt").find("   FY2020           12"), std::string::npos);
}

} // namespace
} // namespace kov
