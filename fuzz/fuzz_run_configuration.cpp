// The run configuration (.kov): read from a file, converted into run
// parameters, and its numeric warnings.
#include "base/host.h"
#include "config/run_configuration.h"
#include "config/run_parameters.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kov::fuzz::ScratchFile file("run.kov");
    kov::RunConfiguration cfg;
    cfg.filePath = file.write(kov::fuzz::asText(data, size));
    kov::fuzz::require(cfg.ReadFromFile() == 1, "reading always succeeds");
    kov::RunParameters p;
    kov::NullHost host;
    kov::ApplyToRunParameters(cfg, p, &host);
    for (const auto& w : kov::numericWarnings(cfg)) kov::fuzz::require(!w.empty(), "a warning has a text");
    return 0;
}
