#include "reports/text/summary_report.h"

#include "base/format.h"
#include "run/simulation.h"

#include <cstddef>

namespace kov {

namespace {

std::tm localTimeOf(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

// Total prison population of month m; a missing month reads as 0.
double totalAt(const Series& totals, int m) {
    const auto i = static_cast<std::size_t>(m);
    return i < totals.size() ? totals[i] : 0.0;
}

} // namespace

std::string reportDate(std::time_t t) {
    const std::tm tm = localTimeOf(t);
    return format("%02d/%02d/%02d", tm.tm_mon + 1, tm.tm_mday, (tm.tm_year % 100 + 100) % 100);
}

std::string reportTime(std::time_t t) {
    const std::tm tm = localTimeOf(t);
    return format("%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::time_t referenceClockTime() {
    std::tm tm{};
    tm.tm_year = 100; // 2000
    tm.tm_mon = 0;
    tm.tm_mday = 1;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

void writeReportHeader(std::FILE* f, const Simulation& sim) {
    const std::time_t now = sim.engine().ctx.now ? sim.engine().ctx.now() : std::time(nullptr);
    std::fprintf(f, "\n %s\n", "Kovary (KOV 3.4 For Windows)");
    std::fprintf(f, "\n RUN NAME: %s\n", sim.cfg.title.c_str());
    std::fprintf(f, "\n DATE: %s \n", reportDate(now).c_str());
    std::fprintf(f, "\n TIME: %s \n", reportTime(now).c_str());

    const int y = sim.engine().ctx.params.FirstSimulatedYear;
    std::fprintf(f, "\n SUMMARY OF PROJECTED PRISON POPULATION COUNTS:\n");
    std::fprintf(f, "\n       Year ");
    std::fprintf(f, "%4d   %4d   %4d   %4d   %4d   %4d   %4d   %4d   %4d   %4d ", y, y + 1, y + 2, y + 3, y + 4,
                 y + 5, y + 6, y + 7, y + 8, y + 9);

    const Series& totals = sim.engine().st.Tops[7];
    std::fprintf(f, "\n\n 12th Mo.");
    for (int year = 0; year < 10; ++year) std::fprintf(f, "%7.0lf", totalAt(totals, year * 12 + 11));
    std::fprintf(f, "\n Low Mo. ");
    for (double v : sim.engine().low) std::fprintf(f, "%7.0f", v);
    std::fprintf(f, "\n High Mo.");
    for (double v : sim.engine().high) std::fprintf(f, "%7.0f", v);
    std::fprintf(f, "\n Average ");
    for (int year = 0; year < 10; ++year) {
        double sum = 0.0;
        for (int m = 0; m < 12; ++m) sum += totalAt(totals, year * 12 + m);
        std::fprintf(f, "%7.0f", sum / 12.0);
    }
}

void writeSummaryReport(const Simulation& sim, Host& host) {
    const std::string path = sim.tablesOutputPath();
    FilePtr file(std::fopen(sim.tablesWritePath().c_str(), "w"));
    if (!file) {
        host.message("Unable to open file " + path, MessageIcon::Stop); // the run goes on with the output tables
        return;
    }
    writeReportHeader(file.get(), sim);
    writeRunParameters(file.get(), sim);
    writeGridTables(file.get(), sim);

    // A full disk shows only in the stream state or at the final flush.
    bool failed = std::ferror(file.get()) != 0;
    if (std::fclose(file.release()) != 0) failed = true;
    if (failed) host.message("Error writing file " + path, MessageIcon::Stop);
}

} // namespace kov
