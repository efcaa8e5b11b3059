#include "scripted_dialogs.h"

#include "app/project_data.h"
#include "app/project_history.h"
#include "engine/engine_design.h"
#include "engine/reference_file.h"
#include "ui/desktop_application.h"
#include "ui/engine_data_window.h"
#include "ui/engine_design_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

std::string dataFile(const std::string& name) {
    return std::string(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

QString shown(const std::string& listing) {
    QString s = QString::fromStdString(listing);
    s.replace("\r\n", "\n");
    return s;
}

/// Everything a reference file read may change.
bool sameEngine(const EngineData& a, const EngineData& b) {
    for (int i = 1; i <= 32; ++i)
        if (a.engine.component[i] != b.engine.component[i]) return false;
    for (int i = 1; i <= 56; ++i)
        if (a.engine.reference[i] != b.engine.reference[i]) return false;
    for (int i = 1; i <= 18; ++i)
        if (a.controls[i] != b.controls[i]) return false;
    for (int i = 6; i <= 9; ++i)
        if (a.setup[i] != b.setup[i]) return false;
    return a.fileName == b.fileName && a.tt4MaxSetting == b.tt4MaxSetting &&
           a.tt7MaxSetting == b.tt7MaxSetting && a.referenceUnitFlag == b.referenceUnitFlag;
}

} // namespace

class EngineDataWindowTest : public QObject {
    Q_OBJECT

    ProjectData project;
    ScriptedDialogs dialogs;
    WindowHooks hooks;
    std::unique_ptr<EngineDataWindow> window;
    int summaryDisabled = 0;

    template <typename T> T* child(const QString& name) {
        T* w = window->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit* box(int n) { return child<QLineEdit>(QString("Text%1").arg(n)); }
    QString listing() { return child<QPlainTextEdit>("txtListing")->toPlainText(); }
    void click(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    /// Types `text` into box `n` and leaves it with Return, as a user would.
    void type(int n, const QString& text) {
        box(n)->setFocus();
        box(n)->selectAll();
        QTest::keyClicks(box(n), text);
        QTest::keyClick(box(n), Qt::Key_Return);
    }
    bool readThroughDialog(const std::string& path) {
        dialogs.files.push_back(path);
        QSignalSpy read(window.get(), &EngineDataWindow::referenceRead);
        click("Command1");
        return read.count() == 1;
    }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        hooks = WindowHooks();
        summaryDisabled = 0;
        hooks.referenceEngineRead = [this] { ++summaryDisabled; };
        window = std::make_unique<EngineDataWindow>(project, dialogs, hooks);
        window->open();
    }
    void cleanup() { window.reset(); }

    void readsEveryBundledReferenceFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("type");
        QTest::newRow("turbojet") << "turbojet.REF" << 1;
        QTest::newRow("turbojet_ab") << "turbojet_ab.REF" << 2;
        QTest::newRow("turbofan_hbp") << "turbofan_hbp.REF" << 3;
        QTest::newRow("turbofan_mixed") << "turbofan_mixed.REF" << 4;
        QTest::newRow("fighter_ab") << "fighter_ab.REF" << 5;
        QTest::newRow("turboprop") << "turboprop.REF" << 6;
        QTest::newRow("ramjet") << "ramjet.REF" << 7;
    }
    void readsEveryBundledReferenceFile() {
        QFETCH(QString, file);
        QFETCH(int, type);
        // Before a file is read the project has no cycle deck: no listing, no component interfaces.
        QVERIFY(listing().isEmpty());
        QVERIFY(child<QPushButton>("Command3")->isHidden());

        const std::string path = dataFile(file.toStdString());
        QVERIFY(readThroughDialog(path));
        QCOMPARE(
            dialogs.texts("open").front(),
            std::string(
                "Ridor Reference Data Files (*.REF)|*.REF|Data Files (*.DAT)|*.DAT|Any Files (*.*)|*.*"));
        QVERIFY(dialogs.texts("message").empty());
        QCOMPARE(int(project.engine.setup[kSetupEngineType]), type);
        QCOMPARE(int(project.thrustModel), 7);
        QCOMPARE(int(project.tsfcModel), 7);
        QCOMPARE(project.engine.fileName, path);
        QCOMPARE(summaryDisabled, 1);
        QCOMPARE(child<QLabel>("lblFile")->text(), QString::fromStdString("Engine File: " + path));
        QCOMPARE(child<QLabel>("lblType")->text(), QString::fromStdString(engineTypeName(int16_t(type))));
        // The listing is the core's, with the labels of the file's unit system, in a fixed-pitch font.
        QCOMPARE(listing(),
                 shown(referenceListing(project.engine, project.engine.referenceUnitFlag != kEnglish,
                                        ListingLabels::AfterRead)));
        QVERIFY(QFontInfo(child<QPlainTextEdit>("txtListing")->font()).fixedPitch());
        // The Tt7 max field and its labels only for the afterburning types.
        const bool ab = type == 2 || type == 5;
        QCOMPARE(box(8)->isVisible(), ab);
        QCOMPARE(child<QLabel>("lblField8")->isVisible(), ab);
        QCOMPARE(child<QLabel>("lblUnit8")->isVisible(), ab);
        QVERIFY(box(7)->isVisible());
        QCOMPARE(box(7)->text().toFloat(), project.engine.controls[5]);
        if (ab) QCOMPARE(box(8)->text().toFloat(), project.engine.controls[6]);
        QVERIFY(child<QPushButton>("Command3")->isVisible());
        if (type == 5) test::saveShot(*window, "engine-data");

        // Opened again, the window lists the engine with the activation labels of the project's units.
        window->hide();
        window->open();
        QCOMPARE(listing(), shown(referenceListing(project.engine, false, ListingLabels::Activation)));
        QCOMPARE(box(8)->isVisible(), ab);
    }

    void refusedFilesChangeNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const std::string good = fileText(dataFile("turbojet_ab.REF"));
        QTest::newRow("file code 21")
            << QString::fromStdString("21" + good.substr(good.find(','))) << "Wrong Type of Data File"
            << "This is not a Ridor Reference Data File !!!";
        QTest::newRow("cut short") << QString::fromStdString(good.substr(0, good.size() / 2))
                                   << "Reading Error"
                                   << "Error in Reading Data File !!!";
        QTest::newRow("unreadable number")
            << QString::fromStdString(good.substr(0, 200) + "x1.5, " + good.substr(200)) << "Reading Error"
            << "Error in Reading Data File !!!";
        QTest::newRow("empty") << ""
                               << "Reading Error"
                               << "Error in Reading Data File !!!";
    }
    void refusedFilesChangeNothing() {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, message);
        // A project already running an engine keeps it, its listing and its captions.
        QVERIFY(readThroughDialog(dataFile("fighter_ab.REF")));
        const EngineData before = project.engine;
        const QString listed = listing();
        const QString caption = child<QLabel>("lblFile")->text();
        summaryDisabled = 0;

        QTemporaryDir dir;
        const std::string path = dir.filePath("bad.REF").toStdString();
        writeText(path, text.toStdString());
        QVERIFY(!readThroughDialog(path));
        QCOMPARE(dialogs.shown.back().kind, std::string("message"));
        QCOMPARE(QString::fromStdString(dialogs.shown.back().title), title);
        // The box keeps its message and adds where and why under it.
        const QString shown = QString::fromStdString(dialogs.shown.back().text);
        QVERIFY2(shown.startsWith(message + "\n\n" + QString::fromStdString(path)), qPrintable(shown));
        QVERIFY(sameEngine(project.engine, before));
        QCOMPARE(listing(), listed);
        QCOMPARE(child<QLabel>("lblFile")->text(), caption);
        QCOMPARE(child<QLabel>("lblType")->text(), QString("Turbofan w/AB"));
        QCOMPARE(summaryDisabled, 0);
    }

    void missingFileAndCancelledDialog() {
        const EngineData before = project.engine;
        QVERIFY(!readThroughDialog("/no/such/engine.REF"));
        QCOMPARE(dialogs.shown.back().title, std::string("Reading Error"));
        dialogs.shown.clear();
        click("Command1"); // no file chosen: nothing happens
        QCOMPARE(dialogs.texts("message").size(), std::size_t(0));
        QVERIFY(sameEngine(project.engine, before));
        QCOMPARE(int(project.thrustModel), 0);
    }

    void fieldRules_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("stored");
        // Nothing outside the physical range of a field is stored, nor text that is not a number: the box
        // keeps the typed text in a red frame and the stored value stays (NaN in the table = unchanged).
        const float kept = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("0 engines refused") << 1 << "0" << kept;
        QTest::newRow("2.7 engines refused") << 1 << "2.7" << kept;
        QTest::newRow("engines not a number") << 1 << "two" << kept;
        QTest::newRow("3 engines") << 1 << "3" << 3.0f;
        QTest::newRow("negative compressor ratio") << 2 << "-5" << kept;
        QTest::newRow("compressor ratio") << 2 << "24.5" << 24.5f;
        QTest::newRow("negative Pt3") << 3 << "-1" << kept;
        QTest::newRow("negative Tt3") << 4 << "-1600" << kept;
        QTest::newRow("negative LP speed") << 5 << "-100" << kept;
        QTest::newRow("negative HP speed") << 6 << "-0.5" << kept;
        QTest::newRow("Tt4 max with letters") << 7 << "3200R" << kept;
        QTest::newRow("Tt4 max 1e30") << 7 << "1e30" << kept;
        QTest::newRow("Tt4 max") << 7 << "3200" << 3200.0f;
        QTest::newRow("negative Tt4 max") << 7 << "-3200" << kept;
        QTest::newRow("negative constant loss") << 9 << "-0.1" << kept;
        QTest::newRow("A1 zero") << 10 << "0" << kept;
        QTest::newRow("A1 negative") << 10 << "-4" << kept;
        QTest::newRow("A10 zero") << 11 << "0" << kept;
        QTest::newRow("L negative") << 12 << "-3" << kept;
        QTest::newRow("L") << 12 << "7.5" << 7.5f;
    }
    void fieldRules() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(float, stored);
        // The area fields can only be typed with the chapter-6 loss model, the constant loss only without.
        project.engine.setup[kSetupLossModel] = field >= 10 ? 3 : 1;
        window->open();
        const auto id = static_cast<EngineDataField>(field - 1);
        const float before = engineDataFieldValue(project.engine, id);
        const std::string fingerprint = inputFingerprint(project);
        type(field, typed);
        if (std::isnan(stored)) {
            QCOMPARE(inputFingerprint(project), fingerprint);
            QCOMPARE(box(field)->text(), typed);
            QVERIFY(box(field)->property("refused").toBool());
            // Escape puts the stored value back.
            QTest::keyClick(box(field), Qt::Key_Escape);
            QCOMPARE(box(field)->text().toFloat(), before);
            QVERIFY(!box(field)->property("refused").toBool());
            return;
        }
        QCOMPARE(engineDataFieldValue(project.engine, id), stored);
        // The box shows what was stored.
        QCOMPARE(box(field)->text().toFloat(), stored);
    }

    void tt7FieldTakesItsRuleForAfterburningTypes() {
        QVERIFY(readThroughDialog(dataFile("turbojet_ab.REF")));
        const float tt7 = project.engine.tt7MaxSetting;
        type(8, "-10"); // refused: the stored setting stays
        QCOMPARE(project.engine.tt7MaxSetting, tt7);
        QTest::keyClick(box(8), Qt::Key_Escape);
        type(8, "3500");
        QCOMPARE(project.engine.tt7MaxSetting, 3500.0f);
    }

    void lossModelOptionsEnableTheirFields() {
        auto constant = child<QRadioButton>("Option1");
        auto chapter6 = child<QRadioButton>("Option3");
        auto enabled = [this] {
            return std::vector<bool>{box(9)->isEnabled(), box(10)->isEnabled(), box(11)->isEnabled(),
                                     box(12)->isEnabled()};
        };
        QVERIFY(constant->isChecked()); // the default model is the constant loss
        QCOMPARE(enabled(), (std::vector<bool>{true, false, false, false}));
        click("Option3");
        QCOMPARE(int(project.engine.setup[kSetupLossModel]), 3);
        QCOMPARE(enabled(), (std::vector<bool>{false, true, true, true}));
        // The offered "Different Loss for Each Leg" changes nothing, and the options say so.
        click("Option2");
        QCOMPARE(int(project.engine.setup[kSetupLossModel]), 3);
        QVERIFY(chapter6->isChecked());
        QCOMPARE(enabled(), (std::vector<bool>{false, true, true, true}));
        click("Option1");
        QCOMPARE(int(project.engine.setup[kSetupLossModel]), 1);
        QCOMPARE(enabled(), (std::vector<bool>{true, false, false, false}));
        // A project with the chapter-6 model opens with that option.
        project.engine.setup[kSetupLossModel] = 3;
        window->open();
        QVERIFY(chapter6->isChecked());
        QCOMPARE(enabled(), (std::vector<bool>{false, true, true, true}));
    }

    void unitCaptionsFollowTheProject() {
        QCOMPARE(child<QLabel>("lblUnit3")->text(),
                 QString::fromStdString(project.labels.window.pressureLimit));
        QCOMPARE(child<QLabel>("lblUnit10")->text(), QString::fromStdString(project.labels.window.area));
        QCOMPARE(child<QLabel>("lblUnit12")->text(), QString::fromStdString(project.labels.window.length));
    }

    void doneHidesAndComponentInterfacesUsesItsOpener() {
        QVERIFY(readThroughDialog(dataFile("turbojet.REF")));
        // No component-interface window in this build: the button cannot be pressed.
        QVERIFY(!child<QPushButton>("Command3")->isEnabled());
        int opened = 0;
        hooks.showComponentInterfacesWindow = [&opened] { ++opened; };
        window->open();
        click("Command3");
        QCOMPARE(opened, 1);
        QVERIFY(!window->isVisible());
        window->open();
        click("Command2");
        QVERIFY(!window->isVisible());
    }

    void designWritesAReferenceFileThatReads() {
        QTemporaryDir dir;
        const std::string refPath = dir.filePath("interceptor.REF").toStdString();
        click("cmdDesign");
        EngineDesignDialog* design = window->designDialog();
        QVERIFY(design && design->isVisible());

        dialogs.files.push_back(dataFile("turbojet_ab.design"));
        QTest::mouseClick(design->findChild<QPushButton*>("cmdOpenDesign"), Qt::LeftButton);
        QCOMPARE(design->value("Tt4"), std::string("2400"));
        QCOMPARE(design->value("P0P9"), std::string("conv"));
        design->setValue("mdot", "120");
        test::saveShot(*design, "engine-design");

        dialogs.files.push_back(refPath);
        dialogs.answers.push_back(true); // read it now
        QSignalSpy read(window.get(), &EngineDataWindow::referenceRead);
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        QCOMPARE(read.count(), 1);
        QVERIFY(!design->isVisible());

        // The file is the generator's, exactly as the command line writes it for the same design.
        const DesignReadResult d = readEngineDesign(design->designText());
        QVERIFY(d.ok);
        QCOMPARE(d.design.mdot, 120.0f);
        const DesignResult generated = designEngine(d.design);
        QVERIFY(generated.ok);
        QCOMPARE(fileText(refPath), referenceFileText(generated.engine));
        // ... and it is now the project's engine.
        QCOMPARE(project.engine.fileName, refPath);
        QCOMPARE(int(project.engine.setup[kSetupEngineType]), 2);
        QCOMPARE(project.engine.engine.reference[25], generated.engine.reference[25]);
        QVERIFY(box(8)->isVisible());
    }

    // The dialog offers the gas model and the kind of efficiencies like any other key; an engine designed
    // with variable gas lists its gas model and fuel in the window.
    void designWithVariableGasListsTheGasModel() {
        QTemporaryDir dir;
        const std::string refPath = dir.filePath("realgas.REF").toStdString();
        click("cmdDesign");
        EngineDesignDialog* design = window->designDialog();
        QVERIFY(design && design->isVisible());
        dialogs.files.push_back(dataFile("turbojet.design"));
        QTest::mouseClick(design->findChild<QPushButton*>("cmdOpenDesign"), Qt::LeftButton);
        for (const char* key : {"gas", "HC", "efficiencies"}) QCOMPARE(design->value(key), std::string());
        auto* table = design->findChild<QTableWidget*>("tblDesign");
        QVERIFY(table);
        design->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(design));
        // A key of a fixed set is edited with a list of its words; other keys with a plain line.
        auto editValue = [&](const QString& key) -> QWidget* {
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->item(r, 0)->text() == key) {
                    table->setFocus();
                    table->editItem(table->item(r, 1));
                    return table->findChild<QWidget*>("cboDesignValue");
                }
            return nullptr;
        };
        QVERIFY(editValue("Tt4") == nullptr);
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // leaves the open line editor
        for (const auto& [key, word] :
             {std::pair{"gas", "variable"}, std::pair{"efficiencies", "polytropic"}}) {
            auto* box = qobject_cast<QComboBox*>(editValue(key));
            QVERIFY2(box, key);
            QVERIFY(box->findText(word) > 0);
            QCOMPARE(box->itemText(0), QString()); // the default stays one choice away
            box->setCurrentIndex(box->findText(word));
            QTest::keyClick(box, Qt::Key_Return);
            QTRY_COMPARE(design->value(key), std::string(word)); // committed once the editor closes
        }
        design->setValue("HC", "1.9");
        table->scrollToBottom();
        QWidget* gasEditor = editValue("gas");
        QVERIFY(gasEditor);
        test::saveShot(*design, "engine-design-gas");
        QTest::keyClick(gasEditor, Qt::Key_Escape);
        QTRY_VERIFY(table->findChild<QWidget*>("cboDesignValue") == nullptr);
        QCOMPARE(design->value("gas"), std::string("variable"));

        dialogs.files.push_back(refPath);
        dialogs.answers.push_back(true); // read it now
        QSignalSpy read(window.get(), &EngineDataWindow::referenceRead);
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        QCOMPARE(read.count(), 1);
        QCOMPARE(project.engine.engine.reference[55], 1.0f);
        QCOMPARE(project.engine.engine.reference[56], 1.9f);
        const QString text = listing();
        QVERIFY2(text.contains(QRegularExpression("Gas Model +Variable")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Fuel H/C +1\\.9000")), qPrintable(text));
        test::saveShot(*window, "engine-data-variable-gas");
    }

    void designRefusalsWriteNothing() {
        QTemporaryDir dir;
        click("cmdDesign");
        EngineDesignDialog* design = window->designDialog();
        design->setDesignText("type = 1\nTt4 = 3000\npifan = 3\npihpc = 4\n"); // no size
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        QCOMPARE(dialogs.texts("save").size(), std::size_t(0));
        QVERIFY(QString::fromStdString(dialogs.texts("message").back()).contains("mdot"));

        design->setValue("mdot", "abc");
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        // The message names the key, not a line of a file the user never saw.
        QVERIFY(QString::fromStdString(dialogs.texts("message").back()).contains("mdot: the value"));

        // An infeasible cycle is refused by the generator with its reason.
        design->setValue("mdot", "100");
        design->setValue("pifan", "12");
        design->setValue("pihpc", "1");
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        QVERIFY(
            QString::fromStdString(dialogs.texts("message").back()).startsWith("The design is refused: "));
        QCOMPARE(dialogs.texts("save").size(), std::size_t(0));

        // Declining to read the new file leaves the project as it was.
        design->setValue("pifan", "3");
        design->setValue("pihpc", "4");
        const std::string refPath = dir.filePath("plain.REF").toStdString();
        dialogs.files.push_back(refPath);
        dialogs.answers.push_back(false);
        QTest::mouseClick(design->findChild<QPushButton*>("cmdWriteReference"), Qt::LeftButton);
        QVERIFY(!fileText(refPath).empty());
        QCOMPARE(int(project.thrustModel), 0);
        QVERIFY(project.engine.fileName.empty());

        // The edited design saves to a design file that reads back to the same values.
        const std::string designPath = dir.filePath("plain.design").toStdString();
        dialogs.files.push_back(designPath);
        QTest::mouseClick(design->findChild<QPushButton*>("cmdSaveDesign"), Qt::LeftButton);
        QCOMPARE(fileText(designPath), design->designText());
    }

    void cycleDeckFromTheMainWindow() {
        window.reset();
        ScriptedDialogs appDialogs;
        DesktopApplication app(appDialogs);
        app.mainWindow().refreshMainWindow();
        app.mainWindow().show();
        QAction* cycleDeck = app.mainWindow().findChild<QAction*>("mnuEngineItem_2");
        cycleDeck->trigger();
        EngineDataWindow& data = app.engineDataWindow();
        QVERIFY(data.isVisible());
        auto* engineData = app.mainWindow().findChild<QPushButton*>("cmdEngineData");
        auto* engineTest = app.mainWindow().findChild<QPushButton*>("cmdEngineTest");
        QVERIFY(engineData->isHidden() && engineTest->isHidden());

        const std::string path = dataFile("turbofan_mixed.REF");
        appDialogs.files.push_back(path);
        QTest::mouseClick(data.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(!engineData->isHidden() && !engineTest->isHidden());
        QCOMPARE(app.mainWindow().findChild<QLabel*>("lblEngine")->text(),
                 QString::fromStdString("Engine: File - " + path));
        QVERIFY(!app.mainWindow().findChild<QAction*>("mnuThrustItem_1")->isChecked());

        // The main window's Engine Data button opens the same window again.
        data.hide();
        QTest::mouseClick(engineData, Qt::LeftButton);
        QVERIFY(data.isVisible());

        // An SI reference file read into an English project is listed as read and held in the
        // project's units.
        const DesignReadResult si =
            readEngineDesign("type = 1\nunits = 2\nTt4 = 1600\npifan = 3\npihpc = 4\nmdot = 50\n");
        QVERIFY(si.ok);
        const DesignResult generated = designEngine(si.design);
        QVERIFY2(generated.ok, generated.message.c_str());
        QTemporaryDir dir;
        const std::string siPath = dir.filePath("si.REF").toStdString();
        writeText(siPath, referenceFileText(generated.engine));
        appDialogs.files.push_back(siPath);
        QTest::mouseClick(data.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(app.project().engine.fileName, siPath);
        QCOMPARE(int(app.project().engine.referenceUnitFlag), int(kEnglish));
        QCOMPARE(int(app.project().unitSystem), int(kEnglish));
        QVERIFY(data.findChild<QPlainTextEdit*>("txtListing")->toPlainText().contains("Thrust (N)"));
        QCOMPARE(app.project().engine.tt4MaxSetting, 1600 * 1.8f);
    }
};

QTEST_MAIN(EngineDataWindowTest)
#include "engine_data_window_test.moc"
