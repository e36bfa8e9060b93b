#pragma once
// A picture of every window, for reviewing the layouts without clicking
// through them (kovary-gui --screenshot DIR [config.kov]).
#include <QString>

namespace kov::ui {

/// Saves DIR/<window>.png for each window; returns the process exit code.
/// The run dialog's pictures come from real runs of the configuration, which
/// write their outputs into its data directory: give it a copy of the data.
int takeScreenshots(const QString& directory, const QString& configuration);

} // namespace kov::ui
