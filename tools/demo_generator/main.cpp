// kovary-demo-data: writes the Norvale demonstration data set.
#include "generator.h"
#include "text_out.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

const char* const kUsage =
    "usage: kovary-demo-data --out DIR [--cases N] [--stock-cases M] [--seed S]\n"
    "  --cases N        court microdata cases (default 3000, at most 10000000)\n"
    "  --stock-cases M  stock microdata records (default 2500, at most 99999)\n"
    "  --seed S         random seed (default 2025)\n"
    "The defaults reproduce data/demo exactly.\n";

bool parseUnsigned(const char* text, unsigned long long max, unsigned long long& value) {
    if (text == nullptr || *text < '0' || *text > '9') return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0' && value <= max;
}

bool parseArguments(int argc, char** argv, demo::Options& options, std::string& error) {
    bool haveOut = false;
    // Every option takes one value.
    for (int i = 1; i < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            error.clear();
            return false;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long n = 0;
        if (arg == "--out" && value != nullptr && *value != '\0') {
            options.outDir = value;
            haveOut = true;
        } else if (arg == "--cases" && parseUnsigned(value, demo::kMaxCases, n) && n > 0) {
            options.cases = static_cast<int>(n);
        } else if (arg == "--stock-cases" && parseUnsigned(value, demo::kMaxStockCases, n) &&
                   n > 0) {
            options.stockCases = static_cast<int>(n);
        } else if (arg == "--seed" && parseUnsigned(value, ~0ULL, n)) {
            options.seed = n;
        } else {
            error = "invalid or incomplete argument: " + arg;
            return false;
        }
    }
    if (!haveOut) error = "--out DIR is required";
    return haveOut;
}

} // namespace

int main(int argc, char** argv) {
    demo::Options options;
    std::string error;
    if (!parseArguments(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "kovary-demo-data: %s\n", error.c_str());
        std::fputs(kUsage, error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(options.outDir, ec);
    if (ec) {
        std::fprintf(stderr, "kovary-demo-data: cannot create %s: %s\n", options.outDir.c_str(),
                     ec.message().c_str());
        return 1;
    }
    demo::Summary summary;
    if (!demo::generateDemoData(options, summary, error)) {
        std::fprintf(stderr, "kovary-demo-data: %s\n", error.c_str());
        return 1;
    }
    std::printf("Wrote %d files to %s\n", static_cast<int>(summary.written.size()),
                options.outDir.c_str());
    std::printf("Court microdata: %d cases, weights sum %s\n", options.cases,
                demo::fixed(summary.courtWeightUnits, demo::kWeightDecimals).c_str());
    std::printf("Stock microdata: %d records, weights sum %s\n", options.stockCases,
                demo::fixed(summary.stockWeightUnits, demo::kWeightDecimals).c_str());
    return 0;
}
