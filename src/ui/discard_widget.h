#pragma once
// Taking a child widget away for good.
#include <QWidget>

namespace kov::ui {

/// Takes w out of its window at once: without a parent it leaves its layout
/// or stack of tabs, is no longer drawn and no findChildren meets it. It is
/// deleted when control is back in the event loop, so a widget whose own
/// signal led here is never deleted under that signal's feet. Nothing may use
/// w afterwards. Null does nothing.
inline void discardWidget(QWidget* w) {
    if (!w) return;
    w->setParent(nullptr);
    w->deleteLater();
}

} // namespace kov::ui
