#pragma once
// Charts are Qt widgets drawn off screen: they need an application object,
// which a program without a window (the command line, the tests) lacks.

namespace kov::reports {

/// Creates the process's application object on first use when none exists,
/// always on the off-screen platform. A desktop program that made its own
/// keeps it.
void ensureQtApplication();

} // namespace kov::reports
