// Court microdata lines read and checked case by case, the way the court case
// loop reads them, against small hand-made tables that accept the reference
// data: gender 2, race 4, age 5, offense 4, sentence length 6, felony type 3,
// region 4, jail length 4; grid tables 4 x 4 twice; post-prison tables 3 x 2
// and 4 x 2; six counties. Choice bits: 1 postprison fields, 2 dual
// guidelines, 4 randomized months. The same bytes read as a held file (their
// numbers, ParsedMicrodata) must give the same cases and the same messages.
#include "base/host.h"
#include "base/random.h"
#include "engine/microdata_file.h"
#include "engine/offender.h"
#include "engine/parsed_microdata.h"
#include "engine/read_case.h"
#include "fuzz_support.h"
#include "input/groups.h"
#include "input/state_tables.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

std::shared_ptr<kov::TableDef> table(int rows, int cols) {
    auto t = std::make_shared<kov::TableDef>();
    t->rows = rows;
    t->cols = cols;
    t->rowlabels.assign(static_cast<std::size_t>(rows), "r");
    t->collabels.assign(static_cast<std::size_t>(cols), "c");
    return t;
}

kov::LabelEntry label(const char* text) { return kov::LabelEntry{text, 1.0}; }

kov::StateTables makeTables() {
    kov::StateTables st;
    constexpr int Counts[kov::VariableCount] = {2, 4, 5, 4, 6, 3, 4, 4};
    for (int v = 0; v < kov::VariableCount; ++v) {
        auto& var = st.Values[static_cast<std::size_t>(v)];
        var.count = Counts[v];
        var.labelsptr.assign(static_cast<std::size_t>(Counts[v]), label("1"));
    }
    st.Values[kov::VarAge].labelsptr = {label("18-24"), label("25-34"), label("35-49"), label("50+"),
                                         label("Under 18")};
    st.Values[kov::VarSentenceLength].labelsptr = {label("1-6"),   label("7-12"), label("13-24"),
                                                   label("25-60"), label("61+"),  label("None")};
    st.m_Tables = {table(4, 4), table(4, 4)};
    st.Postables = {table(3, 2), table(4, 2)};
    st.Counties.resize(6);
    return st;
}

/// Enough lines for every field combination; more only repeat the work.
constexpr int MaxLines = 200;

/// Keeps every message with its place.
class KeepingHost final : public kov::Host {
public:
    void message(const std::string& text, kov::MessageIcon) override { said += text + "\n"; }
    void messageAt(const std::string& text, kov::MessageIcon, const kov::Location& where) override {
        said += text + " (" + where.text() + ")\n";
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }
    std::string said;
};

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

/// The fields a case keeps, read from the text and from the numbers.
bool sameCase(const kov::CaseFields& a, const kov::CaseFields& b) {
    return a.caseNumber == b.caseNumber && a.caseIdentifier == b.caseIdentifier && a.gender == b.gender &&
           a.race == b.race && a.age == b.age && a.offense == b.offense && sameBits(a.sentenceLength, b.sentenceLength) &&
           a.randomDay == b.randomDay && a.felonyType == b.felonyType && a.region == b.region &&
           a.prisonDays == b.prisonDays && a.jailTime == b.jailTime && a.restitutionTime == b.restitutionTime &&
           a.sentenceLevel == b.sentenceLevel && a.county == b.county && a.gridRow == b.gridRow &&
           a.gridColumn == b.gridColumn && a.gridTable == b.gridTable && a.month == b.month &&
           sameBits(a.weight, b.weight) && sameBits(a.parole, b.parole) && a.postprisonLevel == b.postprisonLevel &&
           a.postprisonSentence == b.postprisonSentence && a.postprisonRestitution == b.postprisonRestitution &&
           a.firstParole == b.firstParole && a.secondParole == b.secondParole && a.extraRow == b.extraRow &&
           a.extraColumn == b.extraColumn && a.extraTable == b.extraTable;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("court_micro.dat");
    static const kov::StateTables st = makeTables();
    static const kov::Groups ages(st.count(kov::VarAge), st.Values[kov::VarAge].labelsptr);
    static const kov::Groups lengths(st.count(kov::VarSentenceLength), st.Values[kov::VarSentenceLength].labelsptr);
    const auto in = kov::fuzz::takeChoice(data, size, 8);
    const std::string& path = file.write(in.rest);

    const kov::CaseSetup setup{st, ages, static_cast<int>(in.choice & 1u), static_cast<int>((in.choice >> 1) & 1u),
                               static_cast<int>((in.choice >> 2) & 1u)};
    KeepingHost host, heldHost;
    kov::CRand crt, heldCrt;
    kov::RandomNumberGenerator rng(1, crt), heldRng(1, heldCrt);
    kov::CMicroDataFile f, held;
    kov::fuzz::require(f.Open(path), "the input file opens");
    const auto parsed = kov::parseMicrodata(in.rest, std::size_t{1} << 30);
    kov::fuzz::require(parsed.has_value(), "a small input is parsed");
    held.OpenParsed(path, *parsed);
    for (int n = 0; n < MaxLines; ++n) {
        const bool read = f.ReadLine();
        kov::fuzz::require(held.ReadLine() == read && held.lineCount() == f.lineCount(), "the same lines held");
        if (!read) break;
        kov::CaseFields fields, heldFields;
        const kov::CaseRead result = kov::readCase(f, setup, rng, host, fields);
        kov::fuzz::require(kov::readCase(held, setup, heldRng, heldHost, heldFields) == result &&
                               sameCase(fields, heldFields) && heldHost.said == host.said,
                           "the same case and message held");
        if (result != kov::CaseRead::Ok) continue;
        kov::fuzz::require(fields.gridTable >= 1 && fields.gridTable <= st.numberOfTables(), "a grid table that exists");
        kov::fuzz::require(fields.county >= 1 && fields.county <= st.numberOfCounties(), "a county that exists");
        kov::fuzz::require(fields.felonyType >= 1 && fields.felonyType <= st.count(kov::VarFelonyType),
                           "a felony type that exists");
        kov::Offender record;
        kov::storeOffender(fields, record);
        const int group = kov::sentenceLengthGroup(lengths, record.sentenceMonths);
        kov::fuzz::require(group >= 1 && group <= st.count(kov::VarSentenceLength), "a sentence-length group");
    }
    kov::fuzz::require(held.faultText() == f.faultText(), "the same fault held");
    return 0;
}
