// Court microdata, stock microdata and the stock tables tabulated from the
// stock records. Lines are streamed; two passes over the same random stream
// let the weights sum to the intended volume without holding the cases.
#include "cases.h"
#include "generator.h"
#include "norvale.h"
#include "text_out.h"

#include <array>
#include <vector>

namespace demo {

namespace {

constexpr std::uint64_t kCourtStream = 1;
constexpr std::uint64_t kStockStream = 2;
constexpr int kMonths = 121;

std::int64_t weightScale() {
    std::int64_t s = 1;
    for (int i = 0; i < kWeightDecimals; ++i) s *= 10;
    return s;
}

// Weight of a record of factor f when the factors of all records sum to total,
// so that the weights sum to volume (rounded half up, in weight units).
std::int64_t weightUnits(std::int64_t volume, int factor, std::int64_t total) {
    return (volume * weightScale() * factor * 2 + total) / (2 * total);
}

} // namespace

bool writeCourtMicrodata(const std::string& path, const Options& options, std::int64_t& weightSum) {
    std::int64_t factors = 0;
    Rng first = Rng::stream(options.seed, kCourtStream);
    for (int i = 0; i < options.cases; ++i) factors += drawCourtCase(first).weightFactor;

    Rng rng = Rng::stream(options.seed, kCourtStream);
    OutFile out(path);
    weightSum = 0;
    for (int i = 1; i <= options.cases; ++i) {
        const CourtCase c = drawCourtCase(rng);
        const std::int64_t w = weightUnits(kCourtCasesPerYear, c.weightFactor, factors);
        weightSum += w;
        out.print("%d %d %d %d %d %s %d %d %d %d %d %d %d %d %d %d %d %s %s %d %d %d %d %d\n", i,
                  c.gender, c.race, c.age, c.offense, fixed(c.sentenceTenths, 1).c_str(),
                  c.felonyType, c.region, c.supervisionMonths, c.jailDays, c.residentialDays,
                  c.supervisionLevel, c.county, c.row, c.column, c.table, c.month,
                  fixed(w, kWeightDecimals).c_str(), fixed(c.paroleTenths, 1).c_str(), c.postLevel,
                  c.postMonths, c.postResidentialDays, c.firstRevocationMonths,
                  c.secondRevocationMonths);
    }
    return out.close();
}

namespace {

// Release weight by category and month for each of the seven variables.
class StockTables {
public:
    StockTables() {
        for (std::size_t v = 0; v < cells_.size(); ++v)
            cells_[v].assign(variables()[v].categories.size() * kMonths, 0);
    }

    void add(const StockRecord& s, std::int64_t w) {
        const CourtCase& c = s.court;
        const int releaseMonth = (s.remainingTenths + 5) / 10; // rounded half up, at least 1
        const int cell = (releaseMonth < kMonths ? releaseMonth : kMonths) - 1;
        const std::array<int, 7> category = {c.gender,
                                             c.race,
                                             groupOf(2, s.currentAge),
                                             c.offense,
                                             groupOf(4, (c.sentenceTenths + 5) / 10),
                                             c.felonyType,
                                             c.region};
        for (std::size_t v = 0; v < category.size(); ++v)
            cells_[v][static_cast<std::size_t>((category[v] - 1) * kMonths + cell)] += w;
    }

    bool write(const std::string& path) const {
        static constexpr std::array<const char*, 7> kHeaders = {
            "Gender stock releases by month",          "Race stock releases by month",
            "Age group stock releases by month",       "Stock releases by offense",
            "Sentence length stock releases by month", "Admission group stock releases by month",
            "Region stock releases by month"};
        OutFile out(path);
        for (std::size_t v = 0; v < cells_.size(); ++v) {
            out.print("%s%s\n\n", v == 0 ? "" : "\n", kHeaders[v]);
            for (std::size_t i = 0; i < cells_[v].size(); ++i) {
                const bool lineStart = i % 11 == 0;
                out.print(lineStart ? "%s" : " %s",
                          fixedRounded(cells_[v][i], kWeightDecimals, 2).c_str());
                if (i % 11 == 10) out.put("\n");
            }
        }
        return out.close();
    }

private:
    std::array<std::vector<std::int64_t>, 7> cells_;
};

} // namespace

namespace {

// The prison population a steady flow of the court cases keeps, in weight
// units: each year's sentences times the months of prison they lead to. The
// stock is this large, so that a run starting from it neither fills nor
// empties the prison while admissions stay as they are.
std::int64_t steadyStockUnits(const Options& options) {
    Rng rng = Rng::stream(options.seed, kCourtStream);
    std::int64_t factors = 0;
    std::int64_t tenths = 0; // x probability units
    for (int i = 0; i < options.cases; ++i) {
        const CourtCase c = drawCourtCase(rng);
        factors += c.weightFactor;
        tenths += steadyPrisonTenths(c);
    }
    // tenths / factors is per court case; 120 tenths of a month in a year.
    const long double persons = static_cast<long double>(kCourtCasesPerYear) * tenths /
                                factors / (120.0L * kProbabilityUnit);
    return static_cast<std::int64_t>(persons * weightScale() + 0.5L);
}

// Weight units of a record of factor f when the factors of all records sum to
// total, so that the weights sum to units (rounded half up).
std::int64_t shareOf(std::int64_t units, int factor, std::int64_t total) {
    return (units * factor * 2 + total) / (2 * total);
}

} // namespace

bool writeStock(const std::string& microdataPath, const std::string& tablesPath,
                const Options& options, std::int64_t& weightSum) {
    const std::int64_t stockUnits = steadyStockUnits(options);
    std::int64_t factors = 0;
    Rng first = Rng::stream(options.seed, kStockStream);
    for (int i = 0; i < options.stockCases; ++i) factors += drawStockRecord(first).weightFactor;

    Rng rng = Rng::stream(options.seed, kStockStream);
    StockTables tables;
    OutFile out(microdataPath);
    weightSum = 0;
    for (int i = 1; i <= options.stockCases; ++i) {
        const StockRecord s = drawStockRecord(rng);
        const CourtCase& c = s.court;
        const std::int64_t w = shareOf(stockUnits, s.weightFactor, factors);
        weightSum += w;
        tables.add(s, w);
        out.print("%d %d %d %d %d %s %d %d %d %s %d %d %d %d %d %d %d %s\n", i, c.gender, c.race,
                  s.currentAge, c.offense, fixed(c.sentenceTenths, 1).c_str(), c.felonyType,
                  c.region, c.postMonths, fixed(s.remainingTenths, 1).c_str(),
                  c.postResidentialDays, c.postLevel, c.firstRevocationMonths,
                  c.secondRevocationMonths, c.row, c.column, c.table,
                  fixed(w, kWeightDecimals).c_str());
    }
    const bool microdataOk = out.close();
    return tables.write(tablesPath) && microdataOk;
}

} // namespace demo
