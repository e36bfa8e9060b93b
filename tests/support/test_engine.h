#pragma once
// An engine with a recording host that never cancels, for tests of
// single offender-flow operations on hand-made state.
#include "engine/engine.h"
#include "support/recording_host.h"

#include <string>
#include <vector>

namespace kov::test {

class TestEngine final : public Engine {
public:
    RecordingHost recorder;
    TestEngine() : Engine(recorder) {}

    /// Gives variable v the labels (each a text and weight 1.0).
    void setLabels(int v, const std::vector<std::string>& texts) {
        auto& var = st.Values[static_cast<std::size_t>(v)];
        var.count = static_cast<int>(texts.size());
        var.labelsptr.clear();
        for (const auto& t : texts) var.labelsptr.push_back({t, 1.0});
        if (v == VarAge) ageGroups = Groups(var.count, var.labelsptr);
        if (v == VarJailLength) jailGroups = Groups(var.count, var.labelsptr);
    }
};

} // namespace kov::test
