// The three workbooks of a run, read back from the written .xlsx files:
// sheet names and order, headings, counts, formulas, the file name rule, the
// question about an existing file and the limits of the sheets.
#include "engine/programs.h"
#include "reports/hooks/install_hooks.h"
#include "reports/hand_run.h"
#include "reports/workbooks/cell_rules.h"
#include "reports/workbooks/sheet_names.h"
#include "reports/workbooks/workbook_export.h"
#include "reports/xlsx_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

namespace kov {
namespace {

using test::HandRun;
using test::XlsxReader;

std::size_t u(int i) { return static_cast<std::size_t>(i); }

// Every variable a title and a few labels, as a labels file gives them.
void setAllVariables(HandRun& run) {
    run.setVariable(VarGender, "Gender", {"Male", "Female"});
    run.setVariable(VarRace, "Race", {"White", "Black", "Hispanic"});
    run.setVariable(VarAge, "Age", {"18", "25", "Under 18"});
    run.setVariable(VarOffense, "Offense", {"Person", "Burglary and Theft Offenses", "Drug", "Other"});
    run.setVariable(VarSentenceLength, "Sentence Length", {"1", "13"});
    run.setVariable(VarFelonyType, "Felony Type", {"Class A  ", "Class B", "Class C"});
    run.setVariable(VarRegion, "Region", {"North", "South"});
}

std::optional<std::string> never(const std::string&, const std::string&) {
    ADD_FAILURE() << "no file should exist yet";
    return std::nullopt;
}

TEST(CellRules, CountsColumnsFormulasAndFileNames) {
    // "%6.0f" rounds as the C library does (halves to even), then the integer is read back.
    EXPECT_EQ(reports::cellCount(12.4), 12);
    EXPECT_EQ(reports::cellCount(12.6), 13);
    EXPECT_EQ(reports::cellCount(2.5), 2);
    EXPECT_EQ(reports::cellCount(3.5), 4);
    EXPECT_EQ(reports::cellCount(-0.4), 0);
    EXPECT_EQ(reports::cellCount(-7.6), -8);
    EXPECT_EQ(reports::cellCount(1e12), INT_MAX);
    EXPECT_EQ(reports::cellCount(std::nan("")), 0);

    // Columns past those the sheets below reach.
    EXPECT_EQ(reports::columnName(25), "Z");
    EXPECT_EQ(reports::columnName(26), "AA");
    EXPECT_EQ(reports::columnName(701), "ZZ");
    EXPECT_EQ(reports::columnName(702), "AAA");

    EXPECT_EQ(reports::workbookPath("/d/KOVExcel.xls"), "/d/KOVExcel.xlsx");
    EXPECT_EQ(reports::workbookPath("/d/Old.XLS"), "/d/Old.XLSx");
    EXPECT_EQ(reports::workbookPath("/d/book.xlsx"), "/d/book.xlsx");
    EXPECT_EQ(reports::workbookPath("/d/notes"), "/d/notes");
}

TEST(SheetNames, ForbiddenCharactersLongNamesAndRepeatsGiveTheSameNamesEveryTime) {
    for (int pass = 0; pass < 2; ++pass) {
        reports::SheetNamer names;
        EXPECT_EQ(names.name("Prison Tables"), "Prison Tables");
        EXPECT_EQ(names.name("In/Out: [A*B]? \\"), "In_Out_ _A_B__ _");
        EXPECT_EQ(names.name("Sentence Length Categories for Class A"), "Sentence Length Categories for ");
        EXPECT_EQ(names.name("Sentence Length Categories for Class B"), "Sentence Length Categories fo~2");
        EXPECT_EQ(names.name("sentence length categories for class C"), "sentence length categories fo~3");
        EXPECT_EQ(names.name("PRISON TABLES"), "PRISON TABLES~2"); // names differ by more than letter case
        EXPECT_EQ(names.name("'Quoted'"), "_Quoted_");
        EXPECT_EQ(names.name(""), "Sheet");
        EXPECT_EQ(names.name("Caf\xE9 \xE9t\xE9"), "Caf\xC3\xA9 \xC3\xA9t\xC3\xA9"); // Latin-1 labels become UTF-8
    }
}

TEST(MainWorkbook, SheetsHeadingsCountsAndTotals) {
    HandRun run;
    setAllVariables(run);
    // December of the first year (month 11) of the three race rows.
    run.st().Tops[VarRace][11] = 12.4;
    run.st().Tops[VarRace][120 + 11] = 12.6;
    run.st().Tops[VarRace][240 + 11] = 2.5;
    const std::string path =
        reports::exportWorkbook(*run.sim, Workbook::Main, run.dir.file("KOVExcel.xls"), never);
    ASSERT_EQ(path, run.dir.file("KOVExcel.xlsx")) << run.host.joined();
    EXPECT_NE(std::find(run.host.statuses.begin(), run.host.statuses.end(), "Creating Excel File, Please Standby"),
              run.host.statuses.end());

    const XlsxReader book(path);
    ASSERT_TRUE(book.opened());
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"Prison Tables", "Gender", "Race", "Age", "Offense",
                                                            "Sentence Length", "Felony Type", "Region"}));
    // Year in the first row of each year, month in every row; series columns:
    // totals 5000 + 10m, entries 300 + m, ..., releases 380 + m. Month 3: 383
    // releases, of which 3 % 7 = 3 from the stock.
    const std::pair<const char*, const char*> headings[] = {
        {"A1", "Year"}, {"B1", "Month"}, {"C1", "Totals"}, {"D1", "New Entries"}, {"E1", "Supervision Revocations"},
        {"F1", "Release Revocations"}, {"G1", "Pre-Releases"}, {"H1", "Failures of Pre-Release"},
        {"I1", "Total Admissions"}, {"J1", "Total Releases"}, {"K1", "Court Tots"}, {"L1", "Stock Tots"},
        {"M1", "Court Rels"}, {"N1", "Stock Rels"}};
    for (const auto& [ref, text] : headings) EXPECT_EQ(book.cell(1, ref).text, text) << ref;
    const std::pair<const char*, double> numbers[] = {
        {"A2", 2025}, {"A14", 2026}, {"A110", 2034}, {"B2", 1},    {"B13", 12},  {"B121", 12},  {"C2", 5000}, {"C121", 6190},
        {"D5", 303},  {"J5", 383},   {"K5", 2003},   {"L5", 2997}, {"M5", 380},  {"N5", 3},     {"N121", 119 % 7}};
    for (const auto& [ref, value] : numbers) EXPECT_EQ(book.cell(1, ref).number(), value) << ref;
    EXPECT_FALSE(book.cell(1, "A3").present);
    // Widths are the library's rendering of 4.14 and 19.86 (a little wider, never narrower).
    EXPECT_NEAR(book.columnWidth(1, 0), 4.14, 0.8);
    EXPECT_NEAR(book.columnWidth(1, 4), 19.86, 0.8);
    EXPECT_NEAR(book.columnWidth(1, 13), 10.0, 0.8);

    // The race sheet: three labels, then "Total" in column E with =SUM(B2:D2) .. =SUM(B11:D11);
    // December of the second year, row 0: 2000 + 23 + 0.25.
    for (const auto& [ref, text] : {std::pair{"A1", "Year"}, {"B1", "White"}, {"D1", "Hispanic"}, {"E1", "Total"}})
        EXPECT_EQ(book.cell(3, ref).text, text) << ref;
    for (const auto& [ref, value] : {std::pair{"A11", 2034}, {"B2", 12}, {"C2", 13}, {"D2", 2}, {"B3", 2023}})
        EXPECT_EQ(book.cell(3, ref).number(), value) << ref;
    EXPECT_EQ(book.cell(3, "E2").formula, "SUM(B2:D2)");
    EXPECT_EQ(book.cell(3, "E11").formula, "SUM(B11:D11)");
    EXPECT_FALSE(book.cell(3, "F1").present);
}

TEST(MainWorkbook, ATableOfThirtyLabelsNamesItsColumnsBeyondZ) {
    HandRun run;
    setAllVariables(run);
    std::vector<std::string> labels;
    for (int i = 0; i < 30; ++i) labels.push_back("Age " + std::to_string(i));
    run.setVariable(VarAge, "Age", labels);
    const std::string path = reports::exportWorkbook(*run.sim, Workbook::Main, run.dir.file("wide.xlsx"), never);
    ASSERT_FALSE(path.empty()) << run.host.joined();
    const XlsxReader book(path);
    EXPECT_EQ(book.cell(4, "AE1").text, "Age 29");
    EXPECT_EQ(book.cell(4, "AF1").text, "Total");
    EXPECT_EQ(book.cell(4, "AF2").formula, "SUM(B2:AE2)");
}

void sizeFelonyTables(HandRun& run) {
    auto& st = run.st();
    const int F = st.count(VarFelonyType);
    st.PrisonDemosByFelonyType.assign(u(F), {});
    for (auto& e : st.EntryExitTablesByFelony) e.assign(u(F), Series(121, 0.0));
    for (int f = 0; f < F; ++f) {
        for (int k = 0; k < 8; ++k) {
            Series& t = st.PrisonDemosByFelonyType[u(f)][u(k)];
            t.assign(u(st.countOrTotal(k)) * 120, 0.0);
            for (std::size_t i = 0; i < t.size(); ++i) t[i] = 100.0 * (f + 1) + 10.0 * static_cast<double>(i / 120) + static_cast<double>(i % 120) + 0.25;
        }
        for (int m = 0; m < 120; ++m) {
            st.EntryExitTablesByFelony[5][u(f)][u(m)] = 40.0 * (f + 1) + m;
            st.EntryExitTablesByFelony[6][u(f)][u(m)] = 30.0 * (f + 1) + m;
        }
    }
}

TEST(FelonyTypeWorkbook, EntryExitSheetsThenSixBreakdownSheetsPerFelonyType) {
    HandRun run;
    setAllVariables(run);
    run.setVariable(VarFelonyType, "Felony Type", {"Class A  ", "Class B"});
    run.setVariable(VarSentenceLength, "Sentence Length Categories", {"1", "13"});
    sizeFelonyTables(run);
    const std::string path =
        reports::exportWorkbook(*run.sim, Workbook::FelonyType, run.dir.file("PrisonByFelony.xls"), never);
    ASSERT_EQ(path, run.dir.file("PrisonByFelony.xlsx")) << run.host.joined();
    const XlsxReader book(path);
    // Sheet F + 1 + 6f + (t - 1, or t - 2 for t = 7); a name too long for a sheet is cut, a repeat numbered.
    EXPECT_EQ(book.sheetNames(),
              (std::vector<std::string>{"Entry Exit for Class A", "Entry Exit for Class B", "Gender for Class A",
                                        "Race for Class A", "Age for Class A", "Offense for Class A",
                                        "Sentence Length Categories for ", "Region for Class A",
                                        "Gender for Class B", "Race for Class B", "Age for Class B",
                                        "Offense for Class B", "Sentence Length Categories fo~2",
                                        "Region for Class B"}));
    for (const auto& [ref, text] : {std::pair{"C1", "Totals"}, {"D1", "Total Admissions"}, {"E1", "Total Releases"}})
        EXPECT_EQ(book.cell(2, ref).text, text) << ref;
    // Class B, month 2: total 200 + 2 + 0.25, admissions 80 + 2; month 119: releases 60 + 119.
    for (const auto& [ref, value] : {std::pair{"A2", 2025}, {"C4", 202}, {"D4", 82}, {"E121", 179}})
        EXPECT_EQ(book.cell(2, ref).number(), value) << ref;
    // Gender for Class B, Female, December of the third year: 200 + 10 + 35 + 0.25.
    EXPECT_EQ(book.cell(9, "C1").text, "Female");
    EXPECT_EQ(book.cell(9, "C4").number(), 245);
    EXPECT_EQ(book.cell(9, "D2").formula, "SUM(B2:C2)");
    // Region for Class A holds the region rows (table 7).
    EXPECT_EQ(book.cell(8, "B1").text, "North");
}

void sizeAdmissionTables(HandRun& run) {
    auto& st = run.st();
    const int F = st.count(VarFelonyType), O = st.count(VarOffense);
    st.TotalsByAdmissionGroupAndOffense.assign(u(F), SeriesList(u(O), Series(120, 0.0)));
    for (int f = 0; f < F; ++f)
        for (int o = 0; o < O; ++o)
            for (int m = 0; m < 120; ++m) st.TotalsByAdmissionGroupAndOffense[u(f)][u(o)][u(m)] = 1000.0 * f + 100.0 * o + m;
}

TEST(AdmissionGroupsWorkbook, FelonyTypesOffensesAndTheirCombinations) {
    HandRun run;
    setAllVariables(run);
    sizeAdmissionTables(run);
    const std::string path =
        reports::exportWorkbook(*run.sim, Workbook::AdmissionGroups, run.dir.file("Programs.xls"), never);
    ASSERT_EQ(path, run.dir.file("Programs.xlsx")) << run.host.joined();
    const XlsxReader book(path);
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"Felony Type", "Offense", "Admission Groups by Offenses"}));
    EXPECT_EQ(book.cell(1, "C3").number(), 5010);
    EXPECT_EQ(book.cell(1, "E2").number(), 6100); // Tops[5] row 1, month 0: 6000 + 100 + 0.25
    // Felony types but the last (A, B) times offenses but the last (three): D to I.
    const std::tuple<int, const char*, const char*> headings[] = {
        {1, "C1", "Totals"}, {1, "D1", "Class A  "}, {1, "F1", "Class C"}, {2, "G1", "Other"},
        {3, "D1", "Class A   - Person"}, {3, "E1", "Class A   - Burglary and T"}, {3, "G1", "Class B - Person"},
        {3, "I1", "Class B - Drug"}};
    for (const auto& [sheet, ref, text] : headings) EXPECT_EQ(book.cell(sheet, ref).text, text) << sheet << " " << ref;
    EXPECT_FALSE(book.cell(3, "J1").present);
    EXPECT_EQ(book.cell(3, "H3").number(), 1101); // f 1, o 1, month 1
    EXPECT_NEAR(book.columnWidth(3, 4), 26.0 + 2.0, 0.8);
}

TEST(AdmissionGroupsWorkbook, FortyNineCombinationsFitAndMoreAreToldAndSkipped) {
    HandRun run;
    setAllVariables(run);
    std::vector<std::string> types, offenses;
    for (int i = 0; i < 8; ++i) types.push_back("Type " + std::to_string(i));
    for (int i = 0; i < 8; ++i) offenses.push_back("Off " + std::to_string(i));
    run.setVariable(VarFelonyType, "Felony Type", types);
    run.setVariable(VarOffense, "Offense", offenses);
    sizeAdmissionTables(run);
    // 7 x 7 = 49 columns: D to AZ.
    std::string path = reports::exportWorkbook(*run.sim, Workbook::AdmissionGroups, run.dir.file("a.xlsx"), never);
    ASSERT_FALSE(path.empty()) << run.host.joined();
    EXPECT_EQ(XlsxReader(path).cell(3, "AZ1").text, "Type 6 - Off 6");

    offenses.push_back("Off 8"); // 7 x 8 = 56
    run.setVariable(VarOffense, "Offense", offenses);
    sizeAdmissionTables(run);
    path = reports::exportWorkbook(*run.sim, Workbook::AdmissionGroups, run.dir.file("b.xlsx"), never);
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(run.dir.exists("b.xlsx"));
    ASSERT_EQ(run.host.messages.size(), 1u);
    EXPECT_EQ(run.host.messages[0].text,
              "The workbook " + run.dir.file("b.xlsx") +
                  " was not written: its sheet \"Admission Groups by Offenses\" would need 56 columns, one per "
                  "felony type and offense (the last of each left out), and it holds at most 49.");
}

TEST(ExistingWorkbook, ThePersonIsAskedAndTheCommandLineKeepsABackup) {
    // (The person's answers, through the save dialog, are the desktop program's test.)
    HandRun run;
    setAllVariables(run);
    run.dir.write("KOVExcel.xlsx", "old");
    std::string title;
    const reports::ExistingWorkbookQuestion elsewhere = [&](const std::string&, const std::string& t) {
        title = t;
        return std::optional<std::string>(run.dir.file("Other.xls"));
    };
    EXPECT_EQ(reports::exportWorkbook(*run.sim, Workbook::FelonyType, run.dir.file("KOVExcel.xlsx"), elsewhere),
              run.dir.file("Other.xlsx"));
    EXPECT_EQ(title, "Save Prison Demos By Felony Type Excel File As");

    const reports::ExistingWorkbookQuestion backup = [&](const std::string& p, const std::string&) {
        return reports::keepOldAsBackup(p, run.host);
    };
    EXPECT_EQ(reports::exportWorkbook(*run.sim, Workbook::Main, run.dir.file("KOVExcel.xlsx"), backup),
              run.dir.file("KOVExcel.xlsx"));
    EXPECT_EQ(run.dir.read("KOVExcel.xlsx.bak"), "old");
    EXPECT_EQ(XlsxReader(run.dir.file("KOVExcel.xlsx")).sheetNames().size(), 8u);
}

TEST(ExistingWorkbook, AFileThatCannotBeWrittenIsToldAndTheRunGoesOn) {
    HandRun run;
    setAllVariables(run);
    const std::string target = run.dir.file("no such folder/KOVExcel.xls");
    EXPECT_TRUE(reports::exportWorkbook(*run.sim, Workbook::Main, target, never).empty());
    EXPECT_TRUE(run.host.saw("Error writing file " + run.dir.file("no such folder/KOVExcel.xlsx"))) << run.host.joined();
}

TEST(RunExports, TheSwitchesChooseTheWorkbooksAndARenamedFileIsRecordedForItsKey) {
    HandRun run;
    setAllVariables(run);
    run.cfg.setValue(SecOutputTables, OutExcelFile, "1");
    run.cfg.setValue(SecOutputTables, OutPrisonDemosByFelonyType, "1");
    run.cfg.setValue(SecOutputTables, OutExcelFileForOffenses, "1");
    run.engine().ctx.params.NorvaleCustomizations = 1;

    run.sim->exportWorkbooks(); // no writers installed: nothing happens
    EXPECT_TRUE(run.sim->m_Workbooks.empty());
    EXPECT_FALSE(run.dir.exists("KOVExcel.xlsx"));

    // The felony-type series and the program switch are missing: only the main workbook.
    run.sim->reports = reports::standardReportHooks();
    run.sim->exportWorkbooks();
    ASSERT_EQ(run.sim->m_Workbooks.size(), 1u);
    const WrittenWorkbook& main = run.sim->m_Workbooks[0];
    EXPECT_EQ(main.fileKey, ExcelFile);
    EXPECT_EQ(main.path, run.dir.file("KOVExcel.xlsx"));
    EXPECT_TRUE(main.renamed);
    EXPECT_EQ(main.newName, "KOVExcel.xlsx");

    run.sim->m_Workbooks.clear();
    run.cfg.setValue(SecOutputTables, OutExcelFile, "0");
    sizeFelonyTables(run);
    sizeAdmissionTables(run);
    run.engine().programs = std::make_unique<Programs>();
    run.cfg.setValue(SecFiles, ExcelFileOffenses, "Programs.xlsx");
    run.sim->exportWorkbooks();
    ASSERT_EQ(run.sim->m_Workbooks.size(), 2u);
    EXPECT_EQ(run.sim->m_Workbooks[0].fileKey, ExcelFileFelonyBreakdowns);
    EXPECT_EQ(run.sim->m_Workbooks[1].fileKey, ExcelFileOffenses);
    EXPECT_FALSE(run.sim->m_Workbooks[1].renamed);
    EXPECT_TRUE(run.dir.exists("PrisonByFelony.xlsx"));
    EXPECT_TRUE(run.dir.exists("Programs.xlsx"));
}

} // namespace
} // namespace kov
