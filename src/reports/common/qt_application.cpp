#include "reports/common/qt_application.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>

namespace kov::reports {

namespace {

// An application made here draws files only: Qt's own remarks about the
// missing desktop (runtime folder, fonts) are noise on the command line.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

void ensureQtApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    // Without an application of its own the program only draws files: a
    // display named in the environment (or none at all) must not matter.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    static int argc = 1;
    static char name[] = "kovary";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

} // namespace kov::reports
