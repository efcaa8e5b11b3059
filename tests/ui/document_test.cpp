#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "app/project_history.h"
#include "app/startup.h"
#include "ui/desktop_application.h"
#include "ui/drag_input_window.h"
#include "ui/engine_test_window.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

std::string dataFile(const std::string& name) {
    return std::string(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

std::string fileText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

} // namespace

/// The project as a document, driven through the program's windows: the modified mark, Save and the
/// Save/Discard/Cancel question, undo and redo of every kind of change, recent files, printing to a
/// file, and the faults where a window changed or lost the user's work.
class DocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DesktopApplication> app;
    std::unique_ptr<QTemporaryDir> dir;
    QString projectFile;

    ProjectData& project() { return app->project(); }
    MainWindow& main() { return app->mainWindow(); }
    ProjectDocument& document() { return main().document(); }
    QAction* action(const char* name) { return main().findChild<QAction*>(name); }
    template <typename T> T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    void type(QWidget& w, const char* name, const QString& text) {
        auto* box = child<QLineEdit>(w, name);
        box->setText(text);
        box->setModified(true); // as typed by the user
        emit box->editingFinished();
    }
    /// Opens a copy of the bundled project `name` as the user would (File > Open).
    void openCopy(const char* name) {
        projectFile = dir->filePath(name);
        QFile::remove(projectFile);
        QVERIFY(QFile::copy(QString::fromStdString(dataFile(name)), projectFile));
        QFile::setPermissions(projectFile, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(main().openProjectFile(projectFile.toStdString()));
        project().clock.fixedDate = "12/8/2026";
    }

  private slots:
    void init() {
        QSettings("Vededa", "Vededa").remove("recentFiles");
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogs>();
        app = std::make_unique<DesktopApplication>(*dialogs);
        openCopy("Vededa.RUZ");
        main().show();
    }
    void cleanup() {
        app.reset();
        dialogs.reset();
        dir.reset();
    }

    void modifiedMarkFollowsTheFile() {
        QVERIFY(main().windowTitle().startsWith("Vededa.RUZ[*]"));
        QVERIFY(!main().isWindowModified());
        dialogs->answers = {true};
        action("mnuUnitsItem_1")->trigger();
        document().checkpoint();
        QVERIFY(main().isWindowModified());
        // Undoing back to the file clears the mark; redo brings it back.
        action("mnuEditUndo")->trigger();
        QVERIFY(!main().isWindowModified());
        QCOMPARE(int(project().unitSystem), int(kEnglish));
        action("mnuEditRedo")->trigger();
        QVERIFY(main().isWindowModified());
        QCOMPARE(int(project().unitSystem), int(kSI));
    }

    void saveWritesTheOpenFile() {
        action("mnuDragItem_4")->trigger();
        document().checkpoint();
        QVERIFY(main().isWindowModified());
        QCOMPARE(action("mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
        action("mnuFileSave")->trigger();
        QVERIFY(dialogs->texts("save").empty()); // no dialog: the open file is written
        QVERIFY(!main().isWindowModified());
        QCOMPARE(fileText(projectFile), savedProjectText(project()));
        QCOMPARE(int(project().dragModel), 5);
    }

    void theThreeWayQuestion_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << int(SaveChoice::Cancel) << false << false;
        QTest::newRow("discard") << int(SaveChoice::Discard) << true << false;
        QTest::newRow("save") << int(SaveChoice::Save) << true << true;
    }
    void theThreeWayQuestion() {
        QFETCH(int, choice);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        const std::string before = fileText(projectFile);
        action("mnuDragItem_4")->trigger();
        dialogs->saveChoices = {SaveChoice(choice)};
        QCOMPARE(main().close(), closed);
        QCOMPARE(dialogs->texts("saveChanges"), std::vector<std::string>{"Save changes to Vededa.RUZ?"});
        QVERIFY(dialogs->texts("ask").empty()); // no second question after the answer
        QCOMPARE(fileText(projectFile) != before, saved);
        // Open asks the same question; Cancel keeps the project.
        if (!closed) {
            dialogs->saveChoices = {SaveChoice::Cancel};
            action("mnuFileItem_0")->trigger();
            QVERIFY(dialogs->texts("open").empty());
            QCOMPARE(int(project().dragModel), 5);
        }
    }

    void unmodifiedQuitStillConfirms() {
        dialogs->answers = {false};
        QVERIFY(!main().close());
        QCOMPARE(dialogs->texts("ask"), std::vector<std::string>{"Do you really want to quit this program?"});
        QVERIFY(dialogs->texts("saveChanges").empty());
    }

    void saveAsAddsTheExtensionAndAsksBeforeReplacing() {
        const QString typed = dir->filePath("edited");
        dialogs->files = {typed.toStdString()};
        action("mnuFileItem_1")->trigger();
        QVERIFY(QFile::exists(typed + ".RUZ"));
        QVERIFY(!QFile::exists(typed));
        QCOMPARE(QString::fromStdString(project().projectPath), typed + ".RUZ");
        QVERIFY(main().windowTitle().startsWith("edited.RUZ[*]"));
        // The same name again: No shows the dialog again (cancelled here), Yes replaces.
        dialogs->files = {typed.toStdString()};
        dialogs->answers = {false};
        QVERIFY(!main().saveProjectAs());
        QCOMPARE(dialogs->texts("ask").back(),
                 std::string("edited.RUZ already exists.\nDo you want to replace it?"));
        QCOMPARE(dialogs->proposed.back(), (typed + ".RUZ").toStdString());
        dialogs->files = {typed.toStdString()};
        dialogs->answers = {true};
        QVERIFY(main().saveProjectAs());
    }

    void defaultExtensions_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::newRow("project") << "/d/edited" << kProjectSaveFilter << "/d/edited.RUZ";
        QTest::newRow("reference file") << "/d/mytj"
                                        << "Ridor Reference Data Files (*.REF)|*.REF|Any Files (*.*)|*.*"
                                        << "/d/mytj.REF";
        QTest::newRow("design file") << "/d/mytj"
                                     << "Engine Design Files (*.design)|*.design"
                                     << "/d/mytj.design";
        QTest::newRow("pdf") << "/d/plot"
                             << "PDF Files (*.pdf)|*.pdf"
                             << "/d/plot.pdf";
        QTest::newRow("typed extension kept") << "/d/edited.dat" << kProjectSaveFilter << "/d/edited.dat";
        QTest::newRow("dot in a folder name") << "/d.x/edited" << kProjectSaveFilter << "/d.x/edited.RUZ";
        QTest::newRow("any file only") << "/d/notes"
                                       << "Any Files (*.*)|*.*"
                                       << "/d/notes";
    }
    void defaultExtensions() {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QCOMPARE(QString::fromStdString(withDefaultExtension(typed.toStdString(), filter.toStdString())),
                 written);
    }

    void recentFilesKeepTheLastEight() {
        for (int i = 0; i < 10; ++i) {
            dialogs->files = {dir->filePath(QString("copy%1").arg(i)).toStdString()};
            QVERIFY(main().saveProjectAs());
        }
        main().saveProject(); // the open file again: it stays first, once
        const QStringList recent = QSettings("Vededa", "Vededa").value("recentFiles").toStringList();
        QCOMPARE(recent.size(), MainWindow::kRecentFiles);
        QCOMPARE(recent.front(), dir->filePath("copy9.RUZ"));
        QCOMPARE(recent.back(), dir->filePath("copy2.RUZ"));
        QCOMPARE(recent.count(dir->filePath("copy9.RUZ")), 1);
        // The menu opens them.
        auto* menu = main().findChild<QMenu*>("mnuRecentFiles");
        emit menu->aboutToShow();
        QAction* third = main().findChild<QAction*>("mnuRecentFile_2");
        QVERIFY(third);
        third->trigger();
        QCOMPARE(QString::fromStdString(project().projectPath), dir->filePath("copy7.RUZ"));
    }

    /// Each kind of change, made in its window, is one command: undo gives the project's bytes back
    /// exactly, redo the changed ones.
    void undoRedoRoundTrips_data() {
        QTest::addColumn<QString>("kind");
        for (const char* k : {"constraint field", "constraint add", "constraint remove", "constraint change",
                              "leg add", "leg remove", "leg field", "aircraft data", "drag model",
                              "thrust model", "units", "engine field", "reference file", "afterburner"})
            QTest::newRow(k) << QString(k);
    }
    void undoRedoRoundTrips() {
        QFETCH(QString, kind);
        const std::map<QString, std::function<void()>> changes = {
            {"constraint field",
             [&] {
                 app->constraintWindow().open();
                 type(app->constraintWindow(), "txtParameter_2", "12000");
             }},
            {"constraint add",
             [&] {
                 app->constraintWindow().open();
                 child<QPushButton>(app->constraintWindow(), "cmdAdd")->click();
             }},
            {"constraint remove",
             [&] {
                 dialogs->answers = {true};
                 app->constraintWindow().open();
                 child<QPushButton>(app->constraintWindow(), "cmdRemove")->click();
             }},
            {"constraint change",
             [&] {
                 app->constraintWindow().open();
                 child<QLineEdit>(app->constraintWindow(), "Text2")->setText("renamed");
                 child<QComboBox>(app->constraintWindow(), "Combo1")->setCurrentIndex(4);
                 child<QPushButton>(app->constraintWindow(), "cmdChange")->click();
             }},
            {"leg add",
             [&] {
                 app->missionWindow().open();
                 child<QComboBox>(app->missionWindow(), "cboType")->setCurrentIndex(7);
                 child<QPushButton>(app->missionWindow(), "cmdAdd")->click();
             }},
            {"leg remove",
             [&] {
                 dialogs->answers = {true};
                 app->missionWindow().open();
                 child<QPushButton>(app->missionWindow(), "cmdRemove")->click();
             }},
            {"leg field",
             [&] {
                 app->missionWindow().open();
                 type(app->missionWindow(), "txtParameter_1", "3000");
             }},
            {"aircraft data",
             [&] {
                 app->missionWindow().open();
                 type(app->missionWindow(), "txtWTO", "30000");
             }},
            {"drag model", [&] { action("mnuDragItem_2")->trigger(); }},
            {"thrust model",
             [&] {
                 dialogs->inputs = {std::string("1.1")};
                 action("mnuThrustItem_1")->trigger();
             }},
            {"units",
             [&] {
                 dialogs->answers = {true};
                 action("mnuUnitsItem_1")->trigger();
             }},
            {"engine field",
             [&] {
                 app->engineDataWindow().open();
                 type(app->engineDataWindow(), "Text1", "3");
             }},
            {"reference file", [&] { QVERIFY(app->engineDataWindow().readFile(dataFile("turbojet.REF"))); }},
            {"afterburner", [&] { action("mnuEngineItem_3")->trigger(); }},
        };
        const std::string before = inputFingerprint(project());
        const std::string beforeFile = savedProjectText(project());
        changes.at(kind)();
        QVERIFY(document().checkpoint() || document().undoStack().count() > 0);
        const std::string after = inputFingerprint(project());
        QVERIFY2(after != before, "the change changed nothing");
        QCOMPARE(document().undoStack().count(), 1);
        action("mnuEditUndo")->trigger();
        QCOMPARE(inputFingerprint(project()), before);
        QCOMPARE(savedProjectText(project()), beforeFile);
        action("mnuEditRedo")->trigger();
        QCOMPARE(inputFingerprint(project()), after);
        action("mnuEditUndo")->trigger();
        // The windows show the restored project.
        QVERIFY(main().findChild<QLabel*>("lblUnits")->text().endsWith("English"));
    }

    /// A calculation changes results, never the inputs: paging through every report of every analysis
    /// leaves the project as it was, and nothing to undo.
    void calculationsLeaveTheInputs() {
        openCopy("Vededa_deck.RUZ");
        const std::string before = inputFingerprint(project());
        ConstraintWindow& constraints = app->constraintWindow();
        constraints.open();
        constraints.calculate();
        while (app->resultsWindow().isVisible()) app->resultsWindow().next();
        MissionWindow& mission = app->missionWindow();
        mission.open();
        mission.calculate();
        while (app->resultsWindow().isVisible()) app->resultsWindow().next();
        EngineTestWindow& test = app->engineTestWindow();
        test.open();
        test.test();
        test.throttleHook();
        QCOMPARE(inputFingerprint(project()), before);
        QVERIFY(!document().checkpoint());
        QVERIFY(!main().isWindowModified());
    }

    void afterburnerIsTheUsersChoice() {
        // The default project has constraints with the afterburner on; the user's choice is off.
        dialogs->inputs = {std::string("1")};
        action("mnuThrustItem_1")->trigger();
        QCOMPARE(int(project().afterburner), 0);
        app->constraintWindow().open();
        app->constraintWindow().calculate();
        while (app->resultsWindow().isVisible()) app->resultsWindow().next();
        QVERIFY(main().findChild<QLabel*>("lblEngine")->text().contains("AB off"));
        QCOMPARE(int(project().afterburner), 0);
        action("mnuEngineItem_3")->trigger();
        QVERIFY(main().findChild<QLabel*>("lblEngine")->text().contains("AB on"));
        QVERIFY(action("mnuEngineItem_3")->isChecked());
    }

    void plotAfterAPartialCalculationShowsEveryConstraint() {
        ConstraintWindow& w = app->constraintWindow();
        w.open();
        const int count = project().constraintCount;
        QVERIFY(count > 2);
        w.calculate();
        app->resultsWindow().done(); // back after the first page
        QVERIFY(w.plotButton()->isEnabled());
        w.plot();
        QVERIFY(app->plotWindow().isVisible());
        for (int n = 1; n <= count; ++n)
            QVERIFY2(project().constraintPoints[static_cast<std::size_t>(n)].count >= 2,
                     qPrintable(QString("constraint %1 has no curve").arg(n)));
    }

    void dragTablesCloseBoxChecksAsDone() {
        action("mnuDragItem_6")->trigger();
        DragInputWindow* drag = main().dragInputWindow();
        QVERIFY(drag && drag->isVisible());
        type(*drag, "txtK1Count", "0");
        QVERIFY(!drag->close());
        QVERIFY(drag->isVisible());
        QCOMPARE(dialogs->texts("message").back(), std::string("Can not have less than two K1 data points"));
        drag->hide();
        // Tables that cannot be used are not calculated as if they gave zero drag.
        app->constraintWindow().open();
        app->constraintWindow().calculate();
        QVERIFY(!app->resultsWindow().isVisible());
        QVERIFY(dialogs->texts("message").back().find("can not be calculated") != std::string::npos);
    }

    void secondReferenceFileReplacesTheListing() {
        QVERIFY(app->engineDataWindow().readFile(dataFile("turbojet.REF")));
        QVERIFY(app->engineDataWindow().readFile(dataFile("turbofan_hbp.REF")));
        const QString listing = child<QPlainTextEdit>(app->engineDataWindow(), "txtListing")->toPlainText();
        QCOMPARE(listing.count("PARAMETER"), 1);
        QVERIFY(listing.contains("Alpha")); // the turbofan's, not the turbojet's
    }

    void engineSeriesLeavesTheTypedCondition() {
        QVERIFY(app->engineDataWindow().readFile(dataFile("turbojet.REF")));
        EngineTestWindow& w = app->engineTestWindow();
        w.open();
        type(w, "Text1", "0.8");
        child<QRadioButton>(w, "Option1")->click();
        type(w, "Text12", "0");
        type(w, "Text13", "1.2");
        type(w, "Text14", "0.2");
        w.series();
        QVERIFY(app->resultsWindow().isVisible());
        app->resultsWindow().done();
        QVERIFY(w.isVisible());
        QCOMPARE(child<QLineEdit>(w, "Text1")->text(), QString("0.8"));
        QCOMPARE(project().engine.controls[1], 0.8f);
        // The next test point shows only values of its own run.
        QVERIFY(child<QLabel>(w, "lblLimit")->text().isEmpty());
    }

    void printingToAFileAsksEachTime() {
        app->printer().printer().setOutputFileName(QString()); // no file chosen yet
        const QString first = dir->filePath("first.pdf");
        dialogs->files = {first.toStdString(), first.toStdString()};
        dialogs->answers = {false};
        if (app->printer().printer().outputFormat() != QPrinter::PdfFormat) QSKIP("a printer is installed");
        QVERIFY(app->printer().printReport("one\r\n", "constraints"));
        QVERIFY(QFile::exists(first));
        QCOMPARE(dialogs->proposed.front(), std::string("Vededa-constraints.pdf"));
        const qint64 size = QFileInfo(first).size();
        // The second print asks again and does not replace the first file without a Yes.
        QVERIFY(!app->printer().printReport("two\r\n", "constraints"));
        QCOMPARE(dialogs->texts("ask").back(),
                 std::string("first.pdf already exists.\nDo you want to replace it?"));
        QCOMPARE(QFileInfo(first).size(), size);
        QCOMPARE(dialogs->proposed.size(), size_t(3)); // first, second, and again after No
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
