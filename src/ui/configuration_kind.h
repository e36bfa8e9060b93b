#pragma once
// Whether a file is a run configuration before it is opened as one or written
// over: any other input named .kov (a stock tables file, say) would otherwise
// open as all defaults and take the configuration's keys when saved.
#include <QString>

namespace kov::ui {

/// Empty when the file holds at least one section of the configuration, or is
/// not there; otherwise why it is not one and what it looks like instead.
QString notConfigurationReason(const QString& path);

} // namespace kov::ui
