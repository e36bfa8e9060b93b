// The desktop application: a .kov given on the command line is opened like
// File Open. The hidden option --screenshot DIR saves a picture of every
// window into DIR and exits.
#include "ui/app_icon.h"
#include "ui/main_frame.h"
#include "ui/prompts.h"
#include "ui/screenshots.h"

#include <QApplication>
#include <QStringList>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Numbers in files and reports are written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kovary"));
    QApplication::setWindowIcon(kov::ui::applicationIcon());
    // The desktop entry's name, so the window is matched with its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("kovary-gui"));

    QString shotDirectory;
    QString configuration;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size())
            shotDirectory = args[++i];
        else if (!args[i].startsWith(QLatin1String("--")))
            configuration = args[i];
    }
    if (!shotDirectory.isEmpty()) return kov::ui::takeScreenshots(shotDirectory, configuration);

    kov::ui::QtPrompts prompts;
    kov::ui::CMainFrame frame(prompts);
    frame.show();
    if (!configuration.isEmpty()) frame.openHandedOver(configuration);
    return QApplication::exec();
}
