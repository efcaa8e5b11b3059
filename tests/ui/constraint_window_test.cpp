#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "constraint/constraint_list.h"
#include "models/atmosphere.h"
#include "output/field_text.h"
#include "output/number_format.h"
#include "ui/constraint_window.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/results_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class ConstraintWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectData> project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<ResultsWindow> results;
    std::unique_ptr<PlotWindow> plot;
    std::unique_ptr<ConstraintWindow> window;

    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QComboBox* types() { return window->findChild<QComboBox*>("Combo1"); }
    void leave(const QString& name, const QString& text) {
        edit(name)->setText(text);
        edit(name)->setModified(true); // as typed by the user
        emit edit(name)->editingFinished();
    }
    /// Three constraints of types A, B and C named One, Two and Three with distinct parameters.
    void threeConstraints() {
        project->constraintCount = 3;
        const char* names[] = {"One", "Two", "Three"};
        for (int n = 1; n <= 3; ++n) {
            Constraint& c = project->constraints[static_cast<std::size_t>(n)];
            c.type = std::string(1, char('A' + n - 1));
            c.name = names[n - 1];
            c.p[1] = 0.9f - 0.1f * static_cast<float>(n);
        }
        window->redisplay();
    }
    void chooseType(const char* letter) {
        for (int i = 0; i < types()->count(); ++i)
            if (types()->itemText(i).startsWith(letter)) types()->setCurrentIndex(i);
    }

  private slots:
    void init() {
        project = std::make_unique<ProjectData>();
        initializeProject(*project);
        project->thrustModel = 2;
        project->clock.fixedDate = "12/8/2026";
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        results = std::make_unique<ResultsWindow>(*project, dialogs, *printer);
        plot = std::make_unique<PlotWindow>(*project, dialogs, *printer);
        window = std::make_unique<ConstraintWindow>(*project, dialogs, *results, *plot);
        plot->returnToSource = [this](int16_t) { window->open(); };
        window->open();
    }

    void addRefusals_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("typeChosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("31st") << 30 << true << "You can not have more constraints than the maximum of 30";
        QTest::newRow("no type, name typed")
            << 3 << false << "You must select a constraint type before clicking the Add button";
    }
    void addRefusals() {
        QFETCH(int, count);
        QFETCH(bool, typeChosen);
        QFETCH(QString, message);
        project->constraintCount = static_cast<int16_t>(count);
        window->redisplay();
        // The type list shows the type of the constraint shown; at the place to add at it is empty.
        if (!typeChosen) leave("Text1", QString::number(count + 1));
        if (typeChosen) chooseType("B");
        edit("Text2")->setText("Climb");
        button("cmdAdd")->click();
        QCOMPARE(dialogs.texts("message"), std::vector<std::string>{message.toStdString()});
        QCOMPARE(int(project->constraintCount), count);
    }

    void addInTheMiddleShiftsTheRest() {
        threeConstraints();
        leave("Text1", "2");
        chooseType("C");
        edit("Text2")->setText("Turn");
        button("cmdAdd")->click();
        QCOMPARE(int(project->constraintCount), 4);
        const auto& c = project->constraints;
        QCOMPARE(c[2].name, std::string("Turn"));
        QCOMPARE(c[2].type, std::string("C"));
        QCOMPARE(c[2].p[1], 0.7f); // a copy of the old constraint 2
        QCOMPARE(c[3].name, std::string("Two"));
        QCOMPARE(c[3].type, std::string("B"));
        QCOMPARE(c[4].name, std::string("Three"));
        auto* list = window->findChild<QListWidget*>("List1");
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(1)->text().toStdString(), constraintListLine(2, c[2]));
        QCOMPARE(list->item(1)->text(), QString(" 2     C     Turn"));
    }

    void aChosenTypeIsAPreviewUntilChange() {
        threeConstraints();
        leave("Text1", "2");
        // The list shows the type of the constraint shown.
        QCOMPARE(types()->currentText().left(1), QString("B"));
        chooseType("E");
        emit types()->activated(types()->currentIndex());
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(types(), &out);
        // Leaving the list changes nothing; the list line previews the choice.
        QCOMPARE(project->constraints[2].type, std::string("B"));
        QCOMPARE(window->findChild<QListWidget*>("List1")->item(1)->text(), QString(" 2     E     Two"));
        QCOMPARE(window->findChild<QLabel*>("Label5")->text(), QString("Type:  B - Constant Speed Climb"));
        // Showing another constraint shows its own type and drops the preview.
        leave("Text1", "3");
        QCOMPARE(types()->currentText().left(1), QString("C"));
        QCOMPARE(window->findChild<QListWidget*>("List1")->item(1)->text(), QString(" 2     B     Two"));
        QCOMPARE(project->constraints[2].type, std::string("B"));
        // Change applies the chosen type; the parameters stay.
        leave("Text1", "2");
        chooseType("E");
        button("cmdChange")->click();
        QCOMPARE(project->constraints[2].type, std::string("E"));
        QCOMPARE(project->constraints[2].p[1], 0.7f);
        QCOMPARE(window->findChild<QLabel*>("Label5")->text(), QString("Type:  E - Service Ceiling"));
        // Beyond the count (the place to add at) the title waits for Add.
        leave("Text1", "4");
        QCOMPARE(types()->currentIndex(), -1);
        chooseType("F");
        QApplication::sendEvent(types(), &out);
        QCOMPARE(int(project->constraintCount), 3);
        button("cmdAdd")->click();
        QCOMPARE(int(project->constraintCount), 4);
        QCOMPARE(project->constraints[4].type, std::string("F"));
        QCOMPARE(project->constraints[3].type, std::string("C"));
    }

    void tabOrderFollowsTheFields() {
        // The next widget that Tab can reach.
        auto next = [](QWidget* w) {
            do w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        QCOMPARE(next(edit("txtParameter_14")), static_cast<QWidget*>(edit("txtWS_1")));
        QCOMPARE(next(edit("txtWS_3")), static_cast<QWidget*>(edit("txtTW_1")));
        QCOMPARE(next(edit("Text2")), static_cast<QWidget*>(edit("txtParameter_1")));
    }

    void removeAsksFirst() {
        threeConstraints();
        leave("Text1", "3");
        dialogs.answers = {false};
        button("cmdRemove")->click();
        QCOMPARE(int(project->constraintCount), 3);
        dialogs.answers = {true};
        button("cmdRemove")->click();
        QCOMPARE(dialogs.texts("ask"),
                 (std::vector<std::string>{"Do you really want to remove constraint # 3?",
                                           "Do you really want to remove constraint # 3?"}));
        QCOMPARE(int(project->constraintCount), 2);
        QCOMPARE(edit("Text1")->text(), QString("2"));
        QCOMPARE(project->constraints[2].name, std::string("Two"));
    }

    void engineRowTakesOnlyZeroOrOne_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("2 refused") << "2" << 1.0f << true;
        QTest::newRow("0.5 refused") << "0.5" << 1.0f << true;
        QTest::newRow("0 taken") << "0" << 0.0f << false;
        QTest::newRow("text refused, never read as 0") << "off" << 1.0f << true;
    }
    void engineRowTakesOnlyZeroOrOne() {
        QFETCH(QString, typed);
        QFETCH(float, stored);
        threeConstraints();
        leave("Text1", "1");
        // Type A: rows p1, p2, p3, p4, Mach, p9, p10, then the AB flag of thrust model 2.
        QCOMPARE(window->findChild<QLabel*>("lblParameter_8")->text().trimmed(),
                 QString("Engine AB (1=ON/0=OFF)"));
        QVERIFY(edit("txtParameter_9")->isHidden());
        QFETCH(bool, refused);
        leave("txtParameter_8", typed);
        QCOMPARE(project->constraints[1].p[23], stored);
        // A refused entry stays in the box as typed, framed, until it is corrected or Escape is pressed.
        QCOMPARE(edit("txtParameter_8")->text(), refused ? typed : QString::fromStdString(plainText(stored)));
        QCOMPARE(edit("txtParameter_8")->property("refused").toBool(), refused);
    }

    void machSetsTheVelocity() {
        threeConstraints();
        leave("Text1", "1");
        leave("txtParameter_3", "518.69");
        leave("txtParameter_5", "0.8");
        const float a = project->units.aSL;
        QVERIFY(std::fabs(project->constraints[1].p[4] - 0.8f * a) < 0.01f);
        QCOMPARE(edit("txtParameter_4")->text(),
                 QString::fromStdString(fieldText(project->constraints[1].p[4])));
    }

    void altitudeBringsTheStandardTemperature() {
        threeConstraints();
        leave("Text1", "2");
        leave("txtParameter_2", "36000");
        FlightCondition fc;
        fc.altitude = 36000;
        atmosphere(fc, project->units);
        QCOMPARE(project->constraints[2].p[3], fc.temperature);
        QCOMPARE(edit("txtParameter_3")->text(),
                 QString::fromStdString(plainText(project->constraints[2].p[3])));
    }

    void calculateRefusesTooManyIncrements() {
        threeConstraints();
        leave("txtWS_1", "0");
        leave("txtWS_2", "1000");
        leave("txtWS_3", "10");
        button("cmdCalculate")->click();
        QCOMPARE(
            dialogs.texts("message"),
            std::vector<std::string>{"You require  100 wing loading increments.  The maximum number is 50."});
        QVERIFY(!results->isVisible());
        QVERIFY(window->isVisible());
    }

    void calculatePagesThenPlots() {
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        project->clock.fixedDate = "12/8/2026";
        auto twin = std::make_unique<ProjectData>(*project);
        window->redisplay();
        QVERIFY(!button("cmdPlot")->isEnabled());
        button("cmdCalculate")->click();
        QVERIFY(!window->isVisible());
        QVERIFY(results->isVisible());
        auto* next = results->findChild<QPushButton*>("Command2");
        QCOMPARE(next->text(), QString("Next Constraint"));
        // Every page is the page the core (and the CLI) writes for that constraint.
        for (int16_t n = 1; n <= project->constraintCount; ++n) {
            QCOMPARE(results->text(), ConstraintCalculation(*twin, n));
            next->click();
        }
        QVERIFY(!results->isVisible());
        QVERIFY(window->isVisible());
        QVERIFY(button("cmdPlot")->isEnabled());
        QVERIFY(!edit("txtLineWidth")->isHidden());
        vededa::test::saveShot(*window, "constraint-window");

        button("cmdPlot")->click();
        QVERIFY(plot->isVisible());
        QVERIFY(!window->isVisible());
        const RecordingCanvas& picture = plot->picture()->picture();
        QVERIFY(picture.opsOf(RecordingCanvas::Kind::Line).size() > 100);
        std::vector<std::string> texts;
        for (const auto& op : picture.opsOf(RecordingCanvas::Kind::Text)) texts.push_back(op.text);
        for (int n = 1; n <= project->constraintCount; ++n)
            QVERIFY(std::find(texts.begin(), texts.end(), formatPattern(float(n), "##")) != texts.end());
        QCOMPARE(plot->findChild<QLabel*>("Label2")->text(), QString("W/S (psf) ="));
        QCOMPARE(plot->findChild<QLabel*>("Label3")->text(), QString("T/W        ="));
        QVERIFY(!plot->printEnabled()); // the print buffer is off
        // A click at the frame's lower left corner reads the range minima.
        plot->capture(plot->frame().left, plot->frame().bottom);
        QCOMPARE(plot->readoutX(), formatPattern(project->wsAxis[1], "####.00"));
        QCOMPARE(plot->readoutY(), formatPattern(project->twAxis[1], "####.00"));
        vededa::test::saveShot(*plot, "constraint-diagram");
        plot->findChild<QPushButton*>("Command1")->click();
        QVERIFY(window->isVisible());

        // Passing through a row without typing stores nothing: the shown Mach number is rounded.
        const float velocity = project->constraints[1].p[4];
        emit edit("txtParameter_5")->editingFinished();
        QCOMPARE(project->constraints[1].p[4], velocity);
        QVERIFY(button("cmdPlot")->isEnabled());
        // Any parameter edit makes the diagram stale.
        leave("txtParameter_1", "0.9");
        QVERIFY(!button("cmdPlot")->isEnabled());
    }

    void plotRefusesARangeWithoutWidth() {
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        button("cmdCalculate")->click();
        results->findChild<QPushButton*>("Command3")->click();
        leave("txtTW_2", plainText(project->twAxis[1]).c_str());
        button("cmdPlot")->click();
        QCOMPARE(dialogs.texts("message").size(), std::size_t(1));
        QVERIFY(!plot->isVisible());
        QVERIFY(window->isVisible());
    }

    void printBufferPutsTheDiagramOnThePrinterPage() {
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        project->printBufferFlag = 1;
        button("cmdCalculate")->click();
        results->findChild<QPushButton*>("Command3")->click();
        button("cmdPlot")->click();
        QVERIFY(plot->printEnabled());
        QVERIFY(printer->hasPendingPage());
        // The printer page has the diagram's title, which the window's picture leaves out.
        auto hasTitle = [](const RecordingCanvas& c) {
            for (const auto& op : c.opsOf(RecordingCanvas::Kind::Text))
                if (op.text == "Constraint Diagram") return true;
            return false;
        };
        QVERIFY(hasTitle(printer->pendingPage(0, 0)));
        QVERIFY(!hasTitle(plot->picture()->picture()));
    }

    void unitsSwitchDisablesPlot() {
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        button("cmdCalculate")->click();
        results->findChild<QPushButton*>("Command3")->click();
        QVERIFY(button("cmdPlot")->isEnabled());
        window->unitsSwitched();
        QVERIFY(!button("cmdPlot")->isEnabled());
    }
};

QTEST_MAIN(ConstraintWindowTest)
#include "constraint_window_test.moc"
