#include "ui/desktop_application.h"
#include "ui/user_dialogs.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vededa");
    QApplication::setApplicationVersion("1.26");

    QCommandLineParser parser;
    parser.setApplicationDescription("Preliminary aircraft and propulsion sizing.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash("no-splash", "Start without the five-second splash window.");
    parser.addOption(noSplash);
    parser.process(app);

    vededa::QtUserDialogs dialogs;
    vededa::DesktopApplication desktop(dialogs);
    dialogs.setParent(&desktop.mainWindow());
    desktop.start(!parser.isSet(noSplash));
    return app.exec();
}
