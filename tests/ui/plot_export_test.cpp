// Export of plots to PNG, SVG and PDF, plot data to CSV, and the Results text to a file and the clipboard.
#include "app/project_data.h"
#include "app/startup.h"
#include "output/canvas.h"
#include "scripted_dialogs.h"
#include "ui/plot_export.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/results_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class PlotExportTest : public QObject {
    Q_OBJECT
    ProjectData project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<PlotWindow> plot;
    std::unique_ptr<ResultsWindow> results;
    QTemporaryDir dir;

    static void drawSample(Canvas& c) {
        c.setRgb({10, 200, 30});
        c.polygon({{1000, 1000}, {5000, 1000}, {5000, 5000}, {1000, 5000}});
        c.setColor(0);
        c.line(500, 500, 9500, 6500);
        c.text(600, 600, "Export & check <1>");
        c.textRotated(3000, 3000, "100", 45);
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QByteArray read(const std::string& p) const {
        QFile f(QString::fromStdString(p));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        plot = std::make_unique<PlotWindow>(project, dialogs, *printer);
        results = std::make_unique<ResultsWindow>(project, dialogs, *printer);
        plot->resize(900, 700);
        plot->showPlot(drawSample, kPlotSourceConstraint);
    }

    void pictureFilesOpenWithTheExpectedSize() {
        const RecordingCanvas& picture = plot->picture()->picture();
        QCOMPARE(exportPlot(picture, path("p.png"), 1600), std::string());
        QImage png(QString::fromStdString(path("p.png")));
        QCOMPARE(png.width(), 1600);
        QCOMPARE(png.height(), 1120);                               // the picture's 10000 x 7000 proportions
        QCOMPARE(QColor(png.pixel(480, 480)), QColor(10, 200, 30)); // inside the filled square
        QCOMPARE(QColor(png.pixel(1500, 150)), QColor(Qt::white));

        QCOMPARE(exportPlot(picture, path("p.SVG"), 1000), std::string());
        QImage svg;
        QVERIFY(svg.loadFromData(read(path("p.SVG")), "SVG") || read(path("p.SVG")).contains("<svg"));
        QVERIFY(read(path("p.SVG")).contains("Export &amp; check &lt;1&gt;"));

        QCOMPARE(exportPlot(picture, path("p.pdf"), 1000), std::string());
        const QByteArray pdf = read(path("p.pdf"));
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains("/MediaBox"));

        QVERIFY(!exportPlot(picture, path("p.bmp"), 1000).empty()); // refused with a reason
        QVERIFY(!exportPlot(picture, dir.filePath("missing/p.png").toStdString(), 100).empty());
    }

    void exportButtonAsksForTheFileAndTheSize() {
        dialogs.files = {path("w.png")};
        dialogs.inputs = {std::string("1.5")};
        plot->findChild<QPushButton*>("cmdExport")->click();
        QImage png(QString::fromStdString(path("w.png")));
        QVERIFY(!png.isNull());
        QCOMPARE(png.width(), qRound(1.5 * plot->picture()->width()));
        // The proposed size is twice the window's plot.
        QVERIFY(dialogs.texts("input").front().ends_with("|2"));
        // A size that is no number is refused and nothing is written.
        dialogs.files = {path("bad.png")};
        dialogs.inputs = {std::string("big")};
        plot->findChild<QPushButton*>("cmdExport")->click();
        QVERIFY(!QFile::exists(dir.filePath("bad.png")));
    }

    void saveDataOnlyWithDataAndWritesIt() {
        auto* save = plot->findChild<QPushButton*>("cmdSaveData");
        QVERIFY(!save->isEnabled());
        plot->setDataTable([] { return std::string("a [s],b\n1,2\n"); });
        QVERIFY(save->isEnabled());
        dialogs.files = {path("d")};
        save->click();
        QCOMPARE(read(path("d.csv")), QByteArray("a [s],b\n1,2\n")); // the .csv extension added
        plot->showPlot(drawSample, kPlotSourceConstraint);           // a new plot drops the old data
        QVERIFY(!save->isEnabled());
    }

    void resultsTextIsSavedAndCopiedAsShown() {
        results->setText("Line one\r\n  12.50   3.00\r\n");
        dialogs.files = {path("r.txt")};
        results->findChild<QPushButton*>("cmdSaveText")->click();
        QCOMPARE(read(path("r.txt")), QByteArray("Line one\r\n  12.50   3.00\r\n"));
        results->findChild<QPushButton*>("cmdCopy")->click();
        QCOMPARE(QApplication::clipboard()->text(), QString("Line one\r\n  12.50   3.00\r\n"));
    }

    void nextPageIsScrolledIntoView() {
        results->resize(600, 400);
        results->show();
        std::string first;
        for (int i = 1; i <= 120; ++i) first += "Leg 1 line " + std::to_string(i) + "\r\n";
        results->setText(first);
        results->appendReport("LEG 2 FIRST LINE\r\nmore\r\n");
        auto* box = results->findChild<QPlainTextEdit*>("Text1");
        QVERIFY(box->verticalScrollBar()->value() > 0);
        // The new page's first line is in view, near the top.
        const QRect line = box->cursorRect();
        QVERIFY(line.top() >= 0);
        QVERIFY(line.bottom() <= box->viewport()->height());
        QCOMPARE(box->textCursor().block().text(), QString("LEG 2 FIRST LINE"));
    }
};

QTEST_MAIN(PlotExportTest)
#include "plot_export_test.moc"
