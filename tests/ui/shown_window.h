#pragma once
// The main window driven as a person drives it: shown and active, so its
// shortcuts work, and the modal windows its commands show acted on while the
// command waits.
#include "ui/main_frame.h"
#include "ui/scripted_prompts.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kov::ui::test {

/// The title as the window shows it, with its modified marker.
inline QString shownTitle(const QWidget& w) {
    QString t = w.windowTitle();
    return t.replace(QStringLiteral("[*]"), w.isWindowModified() ? QStringLiteral("*") : QString());
}

/// Runs act on the next modal window of type Dialog while the command that shows it waits.
template <class Dialog>
void whenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) act(*d);
    });
}

struct ShownFrame {
    ScriptedPrompts prompts;
    CMainFrame frame{prompts};
    ShownFrame() {
        frame.show();
        activate();
    }
    void activate() {
        frame.activateWindow(); // the shortcuts work in the active window only
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    /// Ctrl + key, as typed in the window (which must be active).
    void keys(Qt::Key key) { QTest::keyClick(&frame, key, Qt::ControlModifier); }
};

} // namespace kov::ui::test
