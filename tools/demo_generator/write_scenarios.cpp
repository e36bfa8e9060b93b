// The demo scenario file: policies of the kind a sentencing commission is
// asked about, each written as it would be kept under version control.
#include "generator.h"
#include "text_out.h"

namespace demo {

bool writeScenarios(const std::string& path) {
    OutFile out(path);
    if (!out.isOpen()) return false;
    out.put("# Norvale: policy scenarios against current law (demo-stock.kov).\n"
            "# Run them with:\n"
            "#   kovary compare demo-stock.kov scenarios.txt --out compare --costs costs.txt\n"
            "\n"
            "[Shorter pre-release]\n"
            "# Pre-release (time outside the walls before release) cut from 4 months to 2.\n"
            "set RELEASE PARAMETERS/Length of pre-release=2\n"
            "\n"
            "[Fewer Class E admissions]\n"
            "# Admissions of the lowest felony class fall 10% a year from 2027 on.\n"
            "admissions \"Class E\" = 0.90 from 2027\n"
            "\n"
            "[Longer top sentences]\n"
            "# Presumptive prison sentences a quarter longer in the four most serious\n"
            "# rows of the nondrug grid, for offenses sentenced from 2026 on.\n"
            "sentence table Nondrug rows 7-10 x 1.25 from 2026\n"
            "\n"
            "[Drug diversion]\n"
            "# Half as many drug cases sent to prison from 2027 on.\n"
            "probability prison table Drug x 0.5 from 2027\n");
    return out.close();
}

} // namespace demo
