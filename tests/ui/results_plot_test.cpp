#include "scripted_dialogs.h"

#include "output/number_format.h"
#include "output/report.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/results_window.h"

#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class ResultsPlotTest : public QObject {
    Q_OBJECT

    ProjectData project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<ResultsWindow> results;
    std::unique_ptr<PlotWindow> plot;
    QTemporaryDir dir;

    QPushButton* resultsButton(const char* name) { return results->findChild<QPushButton*>(name); }

    /// A mode whose pages say which item they show.
    ResultsMode pagedMode(const char* what, int16_t last, int* finished, int* done) {
        ResultsMode m;
        m.report = [what](ResultsWindow& w, int16_t item) {
            w.setText(std::string(what) + " #" + std::to_string(item) + "\r\n");
        };
        if (last > 0) m.lastItem = [last] { return last; };
        m.finished = [finished] { ++*finished; };
        m.done = [done] { ++*done; };
        return m;
    }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        results = std::make_unique<ResultsWindow>(project, dialogs, *printer);
        plot = std::make_unique<PlotWindow>(project, dialogs, *printer);
    }

    void constraintPagesEndBackAtTheCaller() {
        int finished = 0, done = 0;
        results->registerMode(kNextConstraintMode, pagedMode("Constraint", 2, &finished, &done));
        results->showResults(kNextConstraintMode);
        QCOMPARE(results->windowTitle(), QString("Results"));
        QCOMPARE(resultsButton("Command2")->text(), QString("Next Constraint"));
        QCOMPARE(results->text(), std::string("Constraint #1\r\n"));
        resultsButton("Command2")->click();
        QCOMPARE(results->text(), std::string("Constraint #2\r\n"));
        QCOMPARE(finished, 0);
        resultsButton("Command2")->click();
        QCOMPARE(finished, 1);
        QVERIFY(!results->isVisible());
        QCOMPARE(done, 0);
    }

    void legPagesStepThroughTheProjectsLegs() {
        int finished = 0, done = 0;
        project.legCount = 3;
        results->registerMode(kNextLegMode, pagedMode("Leg", 0, &finished, &done));
        results->showResults(kNextLegMode);
        resultsButton("Command2")->click();
        resultsButton("Command2")->click();
        QCOMPARE(results->text(), std::string("Leg #3\r\n"));
        QCOMPARE(finished, 0);
        resultsButton("Command3")->click();
        QCOMPARE(done, 1);
        QVERIFY(!results->isVisible());
    }

    void summaryHasTwoPagesAndThenHidesNext() {
        int finished = 0, done = 0;
        results->registerMode(kNextPageMode, pagedMode("Summary page", 0, &finished, &done));
        results->showResults(kNextPageMode);
        QCOMPARE(results->text(), std::string("Summary page #1\r\n"));
        resultsButton("Command2")->click();
        QCOMPARE(results->text(), std::string("Summary page #2\r\n"));
        QVERIFY(resultsButton("Command2")->isHidden());
        QCOMPARE(finished, 0);
    }

    void engineSeriesHidesNextAndUnknownModesDoNothing() {
        int finished = 0, done = 0;
        results->registerMode(kEngineSeriesMode, pagedMode("Series", 0, &finished, &done));
        results->showResults(kEngineSeriesMode);
        QVERIFY(resultsButton("Command2")->isHidden());
        results->showResults("Something else");
        QCOMPARE(results->text(), std::string("Series #1\r\n")); // left as it was
        resultsButton("Command3")->click();
        QCOMPARE(done, 0);
    }

    void printQuestionFollowsTheMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("nexts");
        QTest::addColumn<QString>("question");
        QTest::newRow("constraint") << kNextConstraintMode << 2
                                    << "Print the Results of Constraint #3 on PRINTER?";
        QTest::newRow("leg") << kNextLegMode << 0 << "Print the Results of Leg #1 on PRINTER?";
        QTest::newRow("summary") << kNextPageMode << 0 << "Print the Mission Summary on PRINTER?";
        QTest::newRow("engine") << kEngineSeriesMode << 0 << "Print the Engine Results on PRINTER?";
    }
    void printQuestionFollowsTheMode() {
        QFETCH(QString, mode);
        QFETCH(int, nexts);
        QFETCH(QString, question);
        project.constraintCount = 5;
        results->showResults(mode.toStdString());
        for (int i = 0; i < nexts; ++i) results->next();
        const QString pdf = dir.filePath("unused.pdf");
        printer->setPdfOutput(pdf.toStdString());
        resultsButton("Command1")->click(); // answered No
        QCOMPARE(dialogs.texts("ask"), std::vector<std::string>{question.toStdString()});
        QVERIFY(!QFile::exists(pdf));
    }

    void reportPrintsToPdfInAFixedPitchFont() {
        QVERIFY(QFontInfo(PrintService::reportFont()).fixedPitch());
        QCOMPARE(PrintService::reportFont().pointSize(), 10);
        ReportBuffer report;
        report.line(" Vededa (Version 1.26)    Date: 1/2/2026");
        report.line("     Leg    Beta   Fuel   Time");
        for (int i = 1; i <= 80; ++i)
            report.line(FormatField(static_cast<float>(i), 0) + FormatField(1.0f / static_cast<float>(i), 4) +
                        FormatField(12.5f * static_cast<float>(i), 1) +
                        FormatField(0.25f * static_cast<float>(i), 2));
        results->showResults("none");
        results->setText(report.text());
        const QString pdf = qEnvironmentVariableIsSet("VEDEDA_KEEP_PDF")
                                ? qEnvironmentVariable("VEDEDA_KEEP_PDF")
                                : dir.filePath("report.pdf");
        printer->setPdfOutput(pdf.toStdString());
        dialogs.answers = {true};
        results->print();
        vededa::test::saveShot(*results, "results-window");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>>") +
                     bytes.count("/Type /Page "),
                 qsizetype(2)); // 83 lines of size 10 need a second page
    }

    void pdfChosenAtPrintTimeIsAskedForEachPrint() {
        if (!printer->printer().outputFileName().isEmpty() ||
            printer->printer().outputFormat() != QPrinter::PdfFormat)
            QSKIP("a system printer is installed");
        const QString first = dir.filePath("first.pdf");
        dialogs.files = {first.toStdString()};
        QVERIFY(printer->printReport("one\r\n"));
        QVERIFY(QFile::exists(first));
        QVERIFY(!printer->printReport("two\r\n")); // cancelled
        QCOMPARE(dialogs.texts("save").size(), size_t(2));
    }

    void captureConvertsAndClampsTheClick() {
        plot->showPlot([](Canvas& c) { c.line(1000, 6000, 9000, 1000); }, kPlotSourceConstraint);
        plot->setFrame({1000, 9000, 6000, 1000, 0, 80, 0, 50});
        PlotPicture* picture = plot->picture();
        QCOMPARE(picture->cursor().shape(), Qt::CrossCursor);
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        const QPointF centre = picture->toPicture(picture->rect().center());
        const PlotPoint want = PlotCoordinatesAt(plot->frame(), float(centre.x()), float(centre.y()));
        QCOMPARE(plot->findChild<QLabel*>("Label4")->text().toStdString(), formatPattern(want.x, "####.00"));
        QVERIFY(qAbs(want.x - 40) < 1 && qAbs(want.y - 25) < 1);
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(1, 1)); // outside the frame
        QCOMPARE(plot->findChild<QLabel*>("Label4")->text(), QString(".00"));
        QCOMPARE(plot->findChild<QLabel*>("Label5")->text(), QString("50.00"));
    }

    void printBuffer_data() {
        QTest::addColumn<int>("flag");
        QTest::newRow("buffer on") << 1;
        QTest::newRow("buffer off") << 0;
    }
    void printBuffer() {
        QFETCH(int, flag);
        project.printBufferFlag = static_cast<int16_t>(flag);
        auto draw = [](Canvas& c) {
            c.setColor(4);
            c.box(1000, 1000, 9000, 6000, false);
            c.text(5000, 500, "W/S", HAlign::Center, VAlign::Top);
            c.setColor(1);
            c.setLineWidth(2);
            c.line(1000, 6000, 9000, 1000);
        };
        plot->showPlot(draw, kPlotSourceConstraint);
        QCOMPARE(printer->hasPendingPage(), flag == 1);
        vededa::test::saveShot(*plot, "plot-window");
        if (flag == 1)
            QCOMPARE(printer->pendingPage(1, 1).opsOf(RecordingCanvas::Kind::Box).size(), size_t(1));
        const QString folder = qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR")
                                   ? qEnvironmentVariable("VEDEDA_SHOT_DIR")
                                   : dir.path();
        const QString pdf = QDir(folder).filePath(QString("plot%1.pdf").arg(flag));
        printer->setPdfOutput(pdf.toStdString());
        auto* print = plot->findChild<QPushButton*>("Command2");
        dialogs.answers = {true};
        print->click();
        QCOMPARE(dialogs.texts("ask"), std::vector<std::string>{"Print the Plot Results to PRINTER?"});
        QCOMPARE(QFile::exists(pdf), flag == 1); // without the buffer the pending document is discarded
        QVERIFY(!printer->hasPendingPage());
        QVERIFY(!print->isEnabled());
        QVERIFY(plot->printed());
    }

    void doneReturnsToTheSource() {
        int16_t returned = 0;
        plot->returnToSource = [&returned](int16_t source) { returned = source; };
        plot->showPlot([](Canvas& c) { c.line(0, 0, 10, 10); }, kPlotSourceContour);
        plot->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(int(returned), int(kPlotSourceContour));
        QVERIFY(!plot->isVisible());
        QVERIFY(plot->picture()->picture().ops().empty());
    }
};

QTEST_MAIN(ResultsPlotTest)
#include "results_plot_test.moc"
