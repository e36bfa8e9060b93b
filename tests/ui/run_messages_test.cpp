// The run dialog tells where bad input is inside the message box that tells what.
#include "config/run_configuration.h"
#include "support/configuration.h"
#include "support/scratch_dir.h"
#include "ui/run_dialog.h"
#include "ui/scripted_prompts.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kov::ui {
namespace {

TEST(RunMessages, AShortLabelsFileIsToldWithItsLineInTheSameBox) {
    kov::test::ScratchDir dir;
    std::filesystem::copy(kov::test::sourceFile("data/demo"), dir.path(),
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    const std::string labels = dir.read("labels.inp");
    dir.write("labels.inp", labels.substr(0, labels.find('\n', labels.find('\n') + 1) + 1));
    RunConfiguration cfg = kov::test::readConfiguration(dir.file("demo.kov"));
    test::ScriptedPrompts prompts;
    CRunSim1 d(cfg, QString::fromStdString(dir.str()), prompts);
    d.show();
    d.OnRunSim();
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.front(),
              QStringLiteral("Labels file invalid, 3, i = 0, j = 1\n\n"
                             "in labels.inp, line 3; the file ends where label 2 of Gender was expected"));
}

} // namespace
} // namespace kov::ui
