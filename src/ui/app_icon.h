#pragma once
// The program's icon, drawn rather than loaded, so it needs no image plugin.
#include <QIcon>

namespace kov::ui {

/// Rising population bars on a grid cell, at the usual icon sizes.
QIcon applicationIcon();

} // namespace kov::ui
