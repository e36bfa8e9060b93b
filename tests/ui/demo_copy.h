#pragma once
// A scratch copy of the demonstration data, for window tests that write files.
#include "support/scratch_dir.h"

#include <QString>

namespace kov::ui::test {

struct Demo {
    kov::test::ScratchDir dir{"../data/demo"};
    QString kov(const char* name = "demo.kov") const { return QString::fromStdString(dir.file(name)); }
};

} // namespace kov::ui::test
