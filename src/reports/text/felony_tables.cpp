// The felony tables: the prison population by offense for every gender and
// age group, into the tables file with totals and percentages, and as bare
// rows and totals into the felony tables file.
#include "reports/text/table_writer.h"

#include "config/staged_file.h"

#include <cstddef>
#include <cstdio>

namespace kov {

void TableWriter::chart5() {
    err_.record("chart5", 6700);
    std::FILE* tables = out;
    // Put in place once whole: a run stopped on the way keeps the file of the run before.
    StagedFile staged(opt.felonyTablesPath);
    std::FILE* feltab = staged.releaseStream();
    if (!feltab)
        e.host.message("Cannot open Felony Tables Output File\nfeltab.out\nContinuing without it", MessageIcon::Plain);

    const StateTables& st = e.st;
    const ClassificationVariable& genders = st.Values[VarGender];
    const ClassificationVariable& ages = st.Values[VarAge];
    const int offenses = st.count(VarOffense);
    static const Series none;
    for (int g = 0; g < genders.count; ++g) {
        for (int a = 0; a < ages.count; ++a) {
            const auto gi = static_cast<std::size_t>(g), ai = static_cast<std::size_t>(a);
            const std::string gender = gi < genders.labelsptr.size() ? genders.labelsptr[gi].text : "";
            const std::string age = ai < ages.labelsptr.size() ? ages.labelsptr[ai].text : "";
            const std::string heading =
                "\n\n Prison " + st.Values[VarOffense].name + " for " + gender + "s of age " + age;
            text(heading);
            put("\n\n       Year ");
            for (int i = 0; i < 10; ++i) put("%4lld%s", yearLabel(i), i + 1 < 10 ? "  " : " \n");

            kind = KindPrison;
            stockColumn = false;
            noTitle = true;
            const bool present = gi < st.CrimeByAgeAndGender.size() && ai < st.CrimeByAgeAndGender[gi].size();
            const Series& data = present ? st.CrimeByAgeAndGender[gi][ai] : none;
            caseCount = caseCountOf(data, offenses, 120, 11);
            if (caseCount == 0) {
                zeroCases();
                continue;
            }
            prtint(data, offenses, 4, 120, 11, heading);
            if (feltab) {
                out = feltab;
                noTotals = true;
                prtint(data, offenses, 4, 120, 11, heading);
                put("\n");
                out = tables;
                noTotals = false;
            }
        }
    }
    if (!feltab) return;
    finish(feltab, opt.felonyTablesPath);
    if (!staged.commit()) e.host.message("Error writing file " + opt.felonyTablesPath, MessageIcon::Stop);
}

} // namespace kov
