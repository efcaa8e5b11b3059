#include "app/build_info.h"
#include "app/install_layout.h"
#include "app/startup.h"
#include "app/startup_files.h"
#include "ui/desktop_application.h"
#include "ui/main_window.h"
#include "ui/user_dialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vededa");
    QApplication::setApplicationName("Vededa");
    QApplication::setApplicationVersion(
        QString("%1 (revision %2)").arg(vededa::programVersion(), vededa::buildRevision()));
    QApplication::setDesktopFileName("vededa");
    QApplication::setWindowIcon(QIcon::fromTheme("vededa", QIcon(":/vededa/vededa.png")));

    QCommandLineParser parser;
    parser.setApplicationDescription("Preliminary aircraft and propulsion sizing.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash("no-splash", "Start without the five-second splash window.");
    parser.addOption(noSplash);
    parser.addPositionalArgument("file",
                                 "Project (*.RUZ) to open, or reference engine file (*.REF) to read into "
                                 "the last project. Without it the last project used opens.",
                                 "[file]");
    parser.process(app);

    // Where the start-up looks for a project: the file named here, the recent projects, the start
    // directory's default project, the bundled examples.
    vededa::StartupSources sources;
    sources.directory = vededa::currentDirectory();
    if (!parser.positionalArguments().isEmpty())
        sources.requestedFile =
            QFileInfo(parser.positionalArguments().first()).absoluteFilePath().toStdString();
    for (const QString& recent : vededa::MainWindow::recentFiles())
        sources.recentProjects.push_back(recent.toStdString());
    const std::string data = vededa::dataDirectoryFor(QCoreApplication::applicationFilePath().toStdString());
    sources.examplesDirectory = vededa::examplesDirectoryOf(data);

    vededa::QtUserDialogs dialogs;
    vededa::DesktopApplication desktop(dialogs);
    dialogs.setParent(&desktop.mainWindow());
    desktop.mainWindow().setManualPath(QString::fromStdString(vededa::manualPathOf(data)));
    desktop.start(!parser.isSet(noSplash), sources);
    return app.exec();
}
