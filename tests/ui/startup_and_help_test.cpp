#include "scripted_dialogs.h"

#include "app/build_info.h"
#include "app/project_data.h"
#include "app/startup_files.h"
#include "ui/about_dialog.h"
#include "ui/desktop_application.h"
#include "ui/engine_data_window.h"
#include "ui/main_window.h"
#include "ui/print_service.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

std::string dataFile(const char* name) {
    return std::string(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

const QString kCaption = QString("Vededa - Vededa Analysis - Version %1").arg(programVersion());

} // namespace

class StartupAndHelpTest : public QObject {
    Q_OBJECT

    ProjectData project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    WindowHooks hooks;
    std::unique_ptr<MainWindow> window;
    QList<QUrl> opened;
    bool openerWorks = true;

    QAction* action(const QString& name) { return window->findChild<QAction*>(name); }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        hooks = WindowHooks();
        window = std::make_unique<MainWindow>(project, dialogs, *printer, hooks);
        opened.clear();
        openerWorks = true;
        window->setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return openerWorks;
        });
        window->show();
    }
    void cleanup() { window.reset(); }

    void titleFollowsTheProjectFile() {
        QCOMPARE(window->windowTitle(), kCaption);
        dialogs.files = {dataFile("Vededa_deck.RUZ")};
        window->fileCommand(0);
        QCOMPARE(window->windowTitle(), "Vededa_deck.RUZ[*] - " + kCaption);
        QVERIFY(!window->isWindowModified());

        // A refused file leaves the title of the project that stays open.
        QTemporaryDir dir;
        const QString broken = dir.filePath("broken.RUZ");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Vededa\r\nnot a number\r\n");
        f.close();
        dialogs.files = {broken.toStdString()};
        window->fileCommand(0);
        QCOMPARE(window->windowTitle(), "Vededa_deck.RUZ[*] - " + kCaption);

        dialogs.files = {dir.filePath("Renamed.RUZ").toStdString()};
        window->fileCommand(1);
        QCOMPARE(window->windowTitle(), "Renamed.RUZ[*] - " + kCaption);
    }

    void manualOpensInTheDesktopViewer() {
        QTemporaryDir dir;
        const QString manual = dir.filePath("manual.html");
        QFile f(manual);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        window->setManualPath(manual);
        QAction* item = action("mnuHelpItem_0");
        QVERIFY(item);
        QCOMPARE(item->shortcut(), QKeySequence(QKeySequence::HelpContents));
        item->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
        QVERIFY(dialogs.shown.empty());

        // No viewer: the user is told where the manual is.
        openerWorks = false;
        item->trigger();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QVERIFY(QString::fromStdString(dialogs.shown[0].text).contains(manual));
    }

    void missingManualIsReportedNotOpened() {
        for (const QString& path : {QString(), QString("/nowhere/manual.html")}) {
            dialogs.shown.clear();
            window->setManualPath(path);
            action("mnuHelpItem_0")->trigger();
            QVERIFY(opened.isEmpty());
            QCOMPARE(dialogs.shown.size(), size_t(1));
            QCOMPARE(dialogs.shown[0].title, std::string("Aircraft Systems Analysis"));
        }
    }

    void aboutShowsVersionRevisionAndLicenses() {
        const QString declared = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(QString("%1 (revision 0123abcd)").arg(programVersion()));
        action("mnuHelpItem_1")->trigger();
        auto* box = window->findChild<AboutDialog*>("AboutDialog");
        QVERIFY(box);
        QVERIFY(box->isVisible());
        const QString text = box->findChild<QLabel*>("lblAbout")->text();
        for (const QString& part :
             {QString("Vededa %1 (revision 0123abcd)").arg(programVersion()), QString("LGPLv3"),
              QString("CLI11"), QString("BSD 3-Clause"), QString(qVersion())})
            QVERIFY2(text.contains(part), qPrintable(part));
        box->adjustSize();
        vededa::test::saveShot(*box, "about");
        // A second Help > About shows the same box again rather than a pile of them.
        box->hide();
        action("mnuHelpItem_1")->trigger();
        QCOMPARE(window->findChildren<AboutDialog*>().size(), 1);
        QVERIFY(box->isVisible());

        // A version that is not this program's (a test runner's) is not shown as the program's.
        QCoreApplication::setApplicationVersion("9.9");
        QVERIFY(aboutText().contains(QString("Vededa %1</h3>").arg(programVersion())));
        QCoreApplication::setApplicationVersion(declared);
    }

    void startWithTheLastProjectUsed() {
        QTemporaryDir here;
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        StartupSources sources;
        sources.directory = here.path().toStdString();
        sources.recentProjects = {"/nowhere/gone.RUZ", dataFile("Vededa_deck.RUZ")};
        sources.examplesDirectory = VEDEDA_TEST_DATA_DIR;
        app.start(false, sources);
        QVERIFY(startDialogs.shown.empty());
        QCOMPARE(app.project().projectPath, dataFile("Vededa_deck.RUZ"));
        QCOMPARE(app.project().picturePath, dataFile("R119ize.ROZ"));
        QCOMPARE(app.mainWindow().windowTitle(), "Vededa_deck.RUZ[*] - " + kCaption);
        QCOMPARE(int(app.project().thrustModel), 7);
    }

    void startOnTheBundledDefaultWithoutDialogs() {
        QTemporaryDir here;
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        StartupSources sources;
        sources.directory = here.path().toStdString();
        sources.examplesDirectory = VEDEDA_TEST_DATA_DIR;
        app.start(false, sources);
        QVERIFY(startDialogs.shown.empty());
        QCOMPARE(app.project().projectPath, dataFile("Vededa.RUZ"));
        QVERIFY(app.project().dragModel >= 1);
        QVERIFY(!app.mainWindow().findChild<QLabel*>("Picture1")->pixmap().isNull());
    }

    void namedProjectThatCannotBeReadSaysSo() {
        QTemporaryDir here;
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        StartupSources sources;
        sources.directory = here.path().toStdString();
        sources.requestedFile = here.filePath("gone.RUZ").toStdString();
        sources.recentProjects = {dataFile("Vededa.RUZ")};
        sources.examplesDirectory = VEDEDA_TEST_DATA_DIR;
        app.start(false, sources);
        // Only the refusal: no "not in current directory" box and no open dialog.
        QCOMPARE(startDialogs.shown.size(), size_t(1));
        QCOMPARE(startDialogs.shown[0].kind, std::string("message"));
        QVERIFY(QString::fromStdString(startDialogs.shown[0].text).contains("gone.RUZ"));
        QCOMPARE(int(app.project().dragModel), 0);
        QCOMPARE(app.mainWindow().windowTitle(), kCaption);
    }

    void referenceFileIsReadIntoTheLastProject() {
        QTemporaryDir here;
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        StartupSources sources;
        sources.directory = here.path().toStdString();
        sources.requestedFile = dataFile("turbojet.REF");
        sources.recentProjects = {dataFile("Vededa.RUZ")};
        sources.examplesDirectory = VEDEDA_TEST_DATA_DIR;
        app.start(false, sources);
        QVERIFY(startDialogs.shown.empty());
        QCOMPARE(app.project().projectPath, dataFile("Vededa.RUZ"));
        QCOMPARE(int(app.project().thrustModel), 7);
        QVERIFY(app.engineDataWindow().isVisible());
        QVERIFY(app.mainWindow().findChild<QPushButton*>("cmdEngineTest")->isVisibleTo(&app.mainWindow()));
    }
};

QTEST_MAIN(StartupAndHelpTest)
#include "startup_and_help_test.moc"
