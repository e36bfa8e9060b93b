#pragma once
// A scratch copy of the demonstration data, for window tests that write files.
#include "support/scratch_dir.h"

#include <QString>

#include <filesystem>

namespace kov::ui::test {

struct Demo {
    kov::test::ScratchDir dir;
    Demo() {
        std::filesystem::copy(kov::test::sourceFile("data/demo"), dir.path(),
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    QString kov(const char* name = "demo.kov") const { return QString::fromStdString(dir.file(name)); }
};

} // namespace kov::ui::test
