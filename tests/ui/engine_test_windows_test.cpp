#include "scripted_dialogs.h"

#include "engine/engine_deck.h"
#include "ui/component_interfaces_window.h"
#include "ui/desktop_application.h"
#include "ui/engine_test_window.h"
#include "ui/throttle_hook_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

constexpr const char* kDate = "12/8/2026";

std::string dataFile(const std::string& name) {
    return std::string(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

/// The report of `vededa-cli engine FILE ARGS --date kDate`.
std::string cliReport(const std::string& file, QStringList args) {
    args.prepend(QString::fromStdString(file));
    args.prepend("engine");
    args << "--date" << kDate;
    QProcess p;
    p.start(VEDEDA_CLI_PATH, args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

QString shown(const std::string& report) {
    QString s = QString::fromStdString(report);
    s.replace("\r\n", "\n");
    return s;
}

/// The lines of a CRLF report.
QStringList reportLines(const std::string& report) {
    return QString::fromStdString(report).split("\r\n");
}

void type(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setModified(true); // as typed by the user
    emit box->editingFinished();
}

} // namespace

/// The engine test windows as the program wires them, each compared with the command-line reports.
class EngineTestWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DesktopApplication> app;

    template <typename T> T* child(QWidget& window, const char* name) {
        T* w = window.findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }

    void readEngine(const char* file) {
        QVERIFY(app->engineDataWindow().readFile(dataFile(file)));
        app->project().clock.fixedDate = kDate;
    }

    /// Opens the Engine Test window from the main window with the afterburning engine at Mach 0.8 and
    /// 20000 ft, the afterburner selected.
    EngineTestWindow& openEngineTest() {
        readEngine("fighter_ab.REF");
        app->project().afterburner = 1;
        app->mainWindow().findChild<QPushButton*>("cmdEngineTest")->click();
        EngineTestWindow& w = app->engineTestWindow();
        if (!w.isVisible()) qFatal("the Engine Test window did not open");
        type(child<QLineEdit>(w, "Text1"), "0.8");
        type(child<QLineEdit>(w, "Text2"), "20000");
        return w;
    }

    QString shownValue(QWidget& w, const char* name) { return child<QLabel>(w, name)->text(); }

    /// The command-line options of the condition openEngineTest sets.
    static QStringList condition() { return {"--mach", "0.8", "--alt", "20000", "--afterburner", "1"}; }

  private slots:
    void init() {
        dialogs = std::make_unique<ScriptedDialogs>();
        app = std::make_unique<DesktopApplication>(*dialogs);
    }
    void cleanup() {
        app.reset();
        dialogs.reset();
    }

    void componentInterfacesOfTheMixedFlowAfterburningEngine() {
        readEngine("fighter_ab.REF");
        // The engine data window's button opens the window with the stored Mach numbers.
        app->engineDataWindow().open();
        child<QPushButton>(app->engineDataWindow(), "Command3")->click();
        ComponentInterfacesWindow& w = app->componentInterfacesWindow();
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("Form13"));
        QCOMPARE(child<QLineEdit>(w, "Text1")->text(), QString("0.5"));
        QVERIFY(!child<QPushButton>(w, "Command2")->isVisible());

        child<QPushButton>(w, "Command1")->click();
        QVERIFY(child<QPushButton>(w, "Command2")->isVisible());
        QCOMPARE(w.report(), cliReport(dataFile("fighter_ab.REF"), {"--interfaces"}));
        QCOMPARE(child<QPlainTextEdit>(w, "Text4")->toPlainText(), shown(w.report()));
        QStringList names;
        for (const QString& line : reportLines(w.report())) names << line.left(8).trimmed();
        for (const char* station : {"5p", "6", "AB fuel", "MB fuel", "7", "9"})
            QVERIFY2(names.contains(station), station);
        QVERIFY(!names.contains("9p"));
        test::saveShot(w, "component-interfaces");

        // Typed Mach numbers: a positive one is stored and used, zero and negative ones are refused.
        type(child<QLineEdit>(w, "Text1"), "0.6");
        type(child<QLineEdit>(w, "Text2"), "0");
        type(child<QLineEdit>(w, "Text3"), "-0.3");
        QCOMPARE(app->project().engine.test.interfaceMach1, 0.6f);
        QCOMPARE(app->project().engine.test.interfaceMach2, 0.45f);
        QCOMPARE(app->project().engine.test.interfaceMach7, 0.4f);
        QCOMPARE(child<QLineEdit>(w, "Text2")->text(), QString("0.45"));
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(w.report(),
                 cliReport(dataFile("fighter_ab.REF"), {"--interfaces", "--mach1", "0.6", "--mach2", "0"}));

        // Print asks first; No prints nothing, Yes prints the table.
        QTemporaryDir dir;
        const std::string pdf = dir.filePath("interfaces.pdf").toStdString();
        app->printer().setPdfOutput(pdf);
        dialogs->answers = {false, true};
        child<QPushButton>(w, "Command2")->click();
        QVERIFY(!QFile::exists(QString::fromStdString(pdf)));
        child<QPushButton>(w, "Command2")->click();
        QCOMPARE(dialogs->texts("ask").back(),
                 std::string("Print the Engine Component Interfaces on PRINTER?"));
        QVERIFY(QFileInfo(QString::fromStdString(pdf)).size() > 0);

        child<QPushButton>(w, "Command3")->click();
        QVERIFY(!w.isVisible());
    }

    void throttleHookHas46LinesAsTheCommandLineWritesThem() {
        readEngine("fighter_ab.REF");
        ThrottleHookWindow& w = app->throttleHookWindow();
        QCOMPARE(w.objectName(), QString("Form14"));
        // The afterburner selected in the project, as the main window's engine menu sets it.
        app->project().afterburner = 1;
        w.open(0.8f, 20000, 0);
        QVERIFY(w.isVisible());
        QCOMPARE(w.report(), cliReport(dataFile("fighter_ab.REF"),
                                       {"--hook", "--mach", "0.8", "--alt", "20000", "--afterburner", "1"}));
        QCOMPARE(child<QPlainTextEdit>(w, "Text1")->toPlainText(), shown(w.report()));
        const QStringList lines = reportLines(w.report());
        const QStringList rows = lines.filter(QRegularExpression(" AB ( On|Off) "));
        QCOMPARE(rows.size(), 46);
        // The first row is the full-throttle thrust with the afterburner lit; the last is 10 percent of it.
        QVERIFY(rows.front().contains("AB  On"));
        const double first = rows.front().left(7).toDouble(), last = rows.back().left(7).toDouble();
        QVERIFY(std::abs(last - 0.1 * first) < 0.01 * first);
        test::saveShot(w, "throttle-hook");

        QTemporaryDir dir;
        const std::string pdf = dir.filePath("hook.pdf").toStdString();
        app->printer().setPdfOutput(pdf);
        dialogs->answers = {true};
        child<QPushButton>(w, "Command1")->click();
        QCOMPARE(dialogs->texts("ask").back(),
                 std::string("Print the Engine Throttle Hook Results on PRINTER?"));
        QVERIFY(QFileInfo(QString::fromStdString(pdf)).size() > 0);
        child<QPushButton>(w, "Command2")->click();
        QVERIFY(!w.isVisible());
    }

    void testAtFullAndPartThrottle() {
        EngineTestWindow& w = openEngineTest();
        QCOMPARE(w.objectName(), QString("Form12"));
        // The altitude brings the temperature of the table atmosphere.
        QCOMPARE(child<QLineEdit>(w, "Text3")->text(), QString("447.4"));
        QCOMPARE(app->project().engine.controls[2], 20000.0f);

        // Reset (on opening) shows the full-throttle thrust and clears the test fields.
        QVERIFY(shownValue(w, "lblMaxThrust").toDouble() > 0);
        QCOMPARE(shownValue(w, "lblThrust"), QString("0"));
        // The result captions name their units.
        QCOMPARE(child<QLabel>(w, "lblMaxThrustCaption")->text(), QString("Maximum Thrust (lbf)"));
        QCOMPARE(child<QLabel>(w, "lblTsfcCaption")->text(), QString("TSFC (1/hr)"));
        QCOMPARE(child<QLabel>(w, "lblMassFlowCaption")->text(), QString("Mass Flow (lbm/s)"));
        QCOMPARE(child<QLabel>(w, "lblTt4Caption")->text(), QString("Tt4 (R)"));
        QCOMPARE(child<QLabel>(w, "lblLimitCaption")->text(), QString("Limit"));
        QCOMPARE(child<QLineEdit>(w, "Text11")->text(), QString("100"));
        // At 100 percent the thrust and TSFC are the full-throttle ones of Reset at the typed condition.
        child<QPushButton>(w, "Command1")->click();
        const QString maxThrust = shownValue(w, "lblMaxThrust");
        QVERIFY(maxThrust.toDouble() > 0);
        QCOMPARE(shownValue(w, "lblThrust"), maxThrust);
        QCOMPARE(shownValue(w, "lblTsfc"), shownValue(w, "lblMaxTsfc"));
        QCOMPARE(shownValue(w, "lblAfterburner"), QString("On"));
        QVERIFY(!shownValue(w, "lblFanPR").isEmpty());

        // Half the thrust: the thrust is matched and the afterburner is out.
        type(child<QLineEdit>(w, "Text11"), "50");
        child<QPushButton>(w, "Command1")->click();
        QVERIFY(std::abs(shownValue(w, "lblThrust").toDouble() - 0.5 * maxThrust.toDouble()) <
                0.01 * maxThrust.toDouble());
        QCOMPARE(shownValue(w, "lblAfterburner"), QString("Off"));
        QCOMPARE(shownValue(w, "lblMaxThrust"), maxThrust);

        // A step is any finite number; text that is not one is refused and changes nothing.
        type(child<QLineEdit>(w, "Text14"), "-2");
        QCOMPARE(app->project().engine.test.seriesStep, -2.0f);
        QCOMPARE(child<QLineEdit>(w, "Text14")->text(), QString("-2"));
        type(child<QLineEdit>(w, "Text14"), "abc");
        QCOMPARE(app->project().engine.test.seriesStep, -2.0f);
        QVERIFY(child<QLineEdit>(w, "Text14")->property("refused").toBool());
        test::saveShot(w, "engine-test");
        child<QPushButton>(w, "Command4")->click();
        QVERIFY(!w.isVisible());
    }

    void seriesRefusals_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("message");
        QTest::newRow("no variable") << 0 << "0.2"
                                     << "1"
                                     << "You must select an Iteration variable!!";
        QTest::newRow("maximum below minimum") << 1 << "1"
                                               << "0.5"
                                               << "You maximum value must be greater than the minimum!!";
        QTest::newRow("altitude maximum below minimum")
            << 2 << "30000"
            << "0"
            << "You maximum value must be greater than the minimum!!";
    }
    void seriesRefusals() {
        QFETCH(int, option);
        QFETCH(QString, minimum);
        QFETCH(QString, maximum);
        QFETCH(QString, message);
        EngineTestWindow& w = openEngineTest();
        if (option > 0) child<QRadioButton>(w, qPrintable(QString("Option%1").arg(option)))->click();
        type(child<QLineEdit>(w, "Text12"), minimum);
        type(child<QLineEdit>(w, "Text13"), maximum);
        type(child<QLineEdit>(w, "Text14"), "0.1");
        child<QPushButton>(w, "Command2")->click();
        QCOMPARE(dialogs->texts("message"), std::vector<std::string>{message.toStdString()});
        QVERIFY(w.isVisible());
        QVERIFY(!app->resultsWindow().isVisible());
    }

    void testClearsTheIterationVariable() {
        EngineTestWindow& w = openEngineTest();
        child<QRadioButton>(w, "Option1")->click();
        QCOMPARE(app->project().engine.test.seriesVariable, int16_t(3));
        child<QPushButton>(w, "Command1")->click();
        QVERIFY(!child<QRadioButton>(w, "Option1")->isChecked());
        type(child<QLineEdit>(w, "Text13"), "1");
        child<QPushButton>(w, "Command2")->click();
        QCOMPARE(dialogs->texts("message"),
                 std::vector<std::string>{"You must select an Iteration variable!!"});
    }

    void seriesInTheResultsWindow_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("range");
        QTest::addColumn<QString>("variable");
        QTest::newRow("Mach") << 1 << QStringList{"0.2", "1.2", "0.2"} << "mach";
        QTest::newRow("one point") << 2 << QStringList{"10000", "10000", "0"} << "alt";
        QTest::newRow("Tt4 downward") << 5 << QStringList{"2600", "3200", "200"} << "tt4";
    }
    void seriesInTheResultsWindow() {
        QFETCH(int, option);
        QFETCH(QStringList, range);
        QFETCH(QString, variable);
        EngineTestWindow& w = openEngineTest();
        child<QRadioButton>(w, qPrintable(QString("Option%1").arg(option)))->click();
        for (int i = 0; i < 3; ++i)
            type(child<QLineEdit>(w, qPrintable(QString("Text%1").arg(12 + i))), range[i]);
        child<QPushButton>(w, "Command2")->click();
        QVERIFY(dialogs->texts("message").empty());
        ResultsWindow& results = app->resultsWindow();
        QVERIFY(results.isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(results.mode(), std::string(kEngineSeriesMode));
        QVERIFY(!child<QPushButton>(results, "Command2")->isVisible());
        QCOMPARE(results.text(),
                 cliReport(dataFile("fighter_ab.REF"), condition() << "--series" << variable << range));
        QVERIFY(results.text().find(" Performance Calcs @ Mach =") != std::string::npos);
        if (option == 1) test::saveShot(results, "engine-series");

        child<QPushButton>(results, "Command3")->click();
        QVERIFY(!results.isVisible());
        QVERIFY(w.isVisible());
    }

    void throttleHookFromTheEngineTestWindow() {
        EngineTestWindow& w = openEngineTest();
        child<QPushButton>(w, "Command3")->click();
        QVERIFY(!w.isVisible());
        ThrottleHookWindow& hook = app->throttleHookWindow();
        QVERIFY(hook.isVisible());
        QCOMPARE(hook.report(), cliReport(dataFile("fighter_ab.REF"), condition() << "--hook"));
    }

    void everyBundledEngineThroughTheWindows_data() {
        QTest::addColumn<QString>("file");
        for (const char* f : {"turbojet.REF", "turbojet_ab.REF", "turbofan_hbp.REF", "turbofan_mixed.REF",
                              "fighter_ab.REF", "turboprop.REF", "ramjet.REF"})
            QTest::newRow(f) << f;
    }
    void everyBundledEngineThroughTheWindows() {
        QFETCH(QString, file);
        const std::string path = dataFile(file.toStdString());
        readEngine(qPrintable(file));
        const int16_t afterburner = app->project().afterburner;
        app->hooks().showEngineTestWindow();
        EngineTestWindow& w = app->engineTestWindow();
        type(child<QLineEdit>(w, "Text1"), "0.5");
        type(child<QLineEdit>(w, "Text2"), "10000");
        type(child<QLineEdit>(w, "Text11"), "80");
        child<QPushButton>(w, "Command1")->click();
        QVERIFY(!shownValue(w, "lblLimit").isEmpty());
        child<QPushButton>(w, "Command3")->click();
        const std::string hook = app->throttleHookWindow().report();
        QVERIFY(!hook.empty());
        app->componentInterfacesWindow().open();
        app->componentInterfacesWindow().calculate();
        if (!deckSupportsType(app->project().engine.setup[kSetupEngineType])) return;
        const QStringList at = {"--mach", "0.5",           "--alt",
                                "10000",  "--afterburner", QString::number(afterburner)};
        QCOMPARE(hook, cliReport(path, QStringList(at) << "--hook"));
        QCOMPARE(app->componentInterfacesWindow().report(), cliReport(path, {"--interfaces"}));
    }

    void seriesStartingBelowTheLowestTemperatureSaysSo() {
        EngineTestWindow& w = openEngineTest();
        child<QRadioButton>(w, "Option3")->click();
        type(child<QLineEdit>(w, "Text12"), "300");
        type(child<QLineEdit>(w, "Text13"), "500");
        type(child<QLineEdit>(w, "Text14"), "50");
        app->resultsWindow().setText("text of an earlier analysis");
        child<QPushButton>(w, "Command2")->click();
        QCOMPARE(app->resultsWindow().text(),
                 std::string(" The series start value is out of range; nothing was calculated.\r\n"));
    }
};

QTEST_MAIN(EngineTestWindowsTest)
#include "engine_test_windows_test.moc"
