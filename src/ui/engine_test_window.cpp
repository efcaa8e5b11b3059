#include "ui/engine_test_window.h"
#include "ui/project_document.h"

#include "engine/engine_series.h"
#include "engine/engine_test.h"
#include "models/atmosphere.h"
#include "output/number_format.h"
#include "ui/analysis_form.h"
#include "ui/results_window.h"
#include "ui/throttle_hook_window.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

namespace vededa {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

/// Busy pointer for the duration of a deck run.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

/// Field positions (Text1..Text14 are positions 0..13).
enum FieldIndex {
    kMach,
    kAltitude,
    kTemperature,
    kMaxCompressorRatio,
    kMaxPt3,
    kMaxTt3,
    kMaxLowSpool,
    kMaxHighSpool,
    kMaxTt4,
    kMaxTt7,
    kPercent,
    kSeriesMinimum,
    kSeriesMaximum,
    kSeriesStep,
};

/// Written when a series start value leaves nothing to calculate, so the Results window never shows
/// the text of an earlier analysis as if it were the series.
constexpr const char* kSeriesNotRun = " The series start value is out of range; nothing was calculated.\r\n";

} // namespace

EngineTestWindow::EngineTestWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results,
                                   ThrottleHookWindow& hook, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), results_(results), hook_(hook) {
    setObjectName("Form12");
    setWindowTitle("Engine Test");

    EngineData& e = project_.engine;
    auto& c = e.controls;
    EngineTestSettings& t = e.test;

    // Operating condition and limits.
    auto* inputs = new QGridLayout;
    struct FieldRow {
        const char* caption;
        float* stored;
        const char* unit; ///< unit kind: "" none, "L" length, "T" temperature, "P" pressure
    };
    const FieldRow rowsOfFields[11] = {
        {"Mach number", &c[1], ""},
        {"Altitude ", &c[2], "L"},
        {"Temperature", &c[3], "T"},
        {"Max Compressor Pressure Ratio", &c[11], ""},
        {"Max Pressure at Station 3", &c[12], "P"},
        {"Max Temperature at Station 3", &c[13], "T"},
        {"Max % Ref RPM - LP Spool", &c[14], ""},
        {"Max % Ref RPM - HP Spool", &c[15], ""},
        {"Max Temperature at Station 4", &e.tt4MaxSetting, "T"},
        {"Max Temperature at Station 7", &e.tt7MaxSetting, "T"},
        {"Percent of Maximum Thrust", &t.percent, ""},
    };
    for (int i = 0; i < 11; ++i) {
        auto* caption = new QLabel(rowsOfFields[i].caption, this);
        caption->setObjectName(QString("lblField%1").arg(i + 1));
        auto* unit = new QLabel(this);
        unit->setObjectName(QString("lblUnit%1").arg(i + 1));
        unit->setProperty("unitKind", rowsOfFields[i].unit);
        inputs->addWidget(caption, i, 0);
        inputs->addWidget(addField(i, rowsOfFields[i].stored), i, 1);
        inputs->addWidget(unit, i, 2);
    }

    // Results of the last run.
    auto* shown = new QGridLayout;
    // Captions with the unit kind of their value: F force, S TSFC, M mass flow, T temperature.
    const char* outputs[][3] = {
        {"lblMaxThrust", "Maximum Thrust", "F"},
        {"lblMaxTsfc", "TSFC @ Max", "S"},
        {"lblThrust", "Thrust", "F"},
        {"lblTsfc", "TSFC", "S"},
        {"lblMassFlow", "Mass Flow", "M"},
        {"lblTt4", "Tt4", "T"},
        {"lblTt7", "Tt7", "T"},
        {"lblAfterburner", "A/B", ""},
        {"lblLimit", "Limit", ""},
        {"lblCompressorPR", "Compr PR", ""},
        {"lblFanPR", "Fan PR", ""},
        {"lblHpcPR", "HPC PR", ""},
        {"lblLowSpool", "% RPM - LP", ""},
        {"lblHighSpool", "% RPM - HP", ""},
        {"lblBypassRatio", "Bypass Ratio", ""},
        {"lblMc2", "mdot c2", "M"},
        {"lblMc25", "mdot c2.5", "M"},
        {"lblPt9P9", "Pt9/P9", ""},
    };
    int row = 0;
    for (const auto& o : outputs) {
        auto* caption = new QLabel(o[1], this);
        caption->setObjectName(QString(o[0]) + "Caption");
        caption->setProperty("outputCaption", QString(o[1]));
        caption->setProperty("outputUnit", QString(o[2]));
        auto* value = new QLabel(this);
        value->setObjectName(o[0]);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setMinimumWidth(75); // room for the captions with their units
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        shown->addWidget(caption, row % 9, 2 * (row / 9));
        shown->addWidget(value, row % 9, 2 * (row / 9) + 1);
        ++row;
    }

    // The series variable and range.
    auto* frame = new QGroupBox("Iteration Variable", this);
    frame->setObjectName("Frame1");
    auto* frameLayout = new QGridLayout(frame);
    const char* optionTexts[7] = {"Mach Number",
                                  "Altitude",
                                  "Ambient Temperature - T0",
                                  "Ambient Pressure       - P0",
                                  "Total Temperature Lvg Combustor - Tt4",
                                  "Total Temperature Lvg Afterburner - Tt7",
                                  "Exhaust Pressure Ratio - P0/P9"};
    optionGroup_ = new QButtonGroup(this);
    for (int k = 0; k < 7; ++k) {
        options_[k] = new QRadioButton(optionTexts[k], frame);
        options_[k]->setObjectName(QString("Option%1").arg(k + 1));
        optionGroup_->addButton(options_[k], k + 1);
        frameLayout->addWidget(options_[k], k, 0, 1, 2);
    }
    connect(optionGroup_, &QButtonGroup::idClicked, this, [this](int k) {
        project_.engine.test.seriesVariable = static_cast<int16_t>(k + 2);
        followSeriesVariable();
    });
    const char* rangeCaptions[3] = {"Minimum", "Maximum", "Step Size"};
    float* rangeValues[3] = {&t.seriesMin, &t.seriesMax, &t.seriesStep};
    auto* range = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(rangeCaptions[i], frame);
        caption->setObjectName(QString("lblRange%1").arg(i + 1));
        range->addWidget(caption);
        range->addWidget(addField(kSeriesMinimum + i, rangeValues[i]));
    }
    frameLayout->addLayout(range, 7, 0, 1, 2);
    auto* seriesButton = new QPushButton("Perform Series of Calculations for Iteration Range", frame);
    seriesButton->setObjectName("Command2");
    connect(seriesButton, &QPushButton::clicked, this, &EngineTestWindow::series);
    frameLayout->addWidget(seriesButton, 8, 0, 1, 2);

    auto* testButton = new QPushButton("Test", this);
    testButton->setObjectName("Command1");
    connect(testButton, &QPushButton::clicked, this, &EngineTestWindow::test);
    auto* hookButton = new QPushButton("Calculate Throttle Hook", this);
    hookButton->setObjectName("Command3");
    connect(hookButton, &QPushButton::clicked, this, &EngineTestWindow::throttleHook);
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command4");
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(testButton);
    buttons->addWidget(hookButton);
    buttons->addStretch(1);
    buttons->addWidget(done);

    auto* left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(shown);
    right->addWidget(frame);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // The engine performance series runs in the Results window; its Done brings this window back.
    ResultsMode mode;
    mode.report = [this](ResultsWindow& r, int16_t) {
        std::string text;
        auto& c = project_.engine.controls;
        setEngineTestCondition(project_, c[1], c[2], c[3]);
        std::string messages;
        engineTestReset(project_, messages);
        const SeriesResult result = engineSeriesReport(project_, text);
        r.setText(result.ran ? text : std::string(kSeriesNotRun));
    };
    mode.done = [this] { open(); };
    results_.registerMode(kEngineSeriesMode, std::move(mode));
}

namespace {

/// The range-table keys of the condition and limit fields (positions 0..10).
constexpr const char* kFieldQuantities[] = {"mach",   "alt",    "t0",  "cpr-max", "pt3-max", "tt3-max",
                                            "nl-max", "nh-max", "tt4", "tt7",     "percent"};

/// The range-table key of the series variable `variable` (3 Mach .. 9 P0/P9); "" for none.
const char* seriesQuantity(int16_t variable) {
    static constexpr const char* kKeys[] = {"mach", "alt", "t0", "p0", "tt4", "tt7", "p0p9"};
    return variable >= 3 && variable <= 9 ? kKeys[variable - 3] : "";
}

} // namespace

QLineEdit* EngineTestWindow::addField(int index, float* stored) {
    Field& f = fields_[static_cast<std::size_t>(index)];
    f.stored = stored;
    f.box = new QLineEdit(this);
    f.box->setObjectName(QString("Text%1").arg(index + 1));
    f.box->setFixedWidth(80);
    // The series range takes the range of the chosen variable (set when the window is filled); the
    // step may be any finite number.
    const char* quantity = index < kSeriesMinimum ? kFieldQuantities[index] : "";
    form::whenEdited(f.box, this, form::Quantity{project_, quantity}, [this, index] { commitField(index); });
    return f.box;
}

void EngineTestWindow::showAtmosphereNote() {
    // Above the atmosphere table its top state is used: the status bar says so.
    const float altitude = project_.engine.controls[2];
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, project_.units);
    QStatusBar* bar = form::fieldStatusBar(this);
    if (fc.aboveTable)
        bar->showMessage(qs(atmosphereClampLine(altitude, project_.unitSystem == kSI)));
    else if (bar->currentMessage().contains("atmosphere table"))
        bar->clearMessage();
}

void EngineTestWindow::followSeriesVariable() {
    const char* key = seriesQuantity(project_.engine.test.seriesVariable);
    form::setQuantityKey(fields_[kSeriesMinimum].box, key);
    form::setQuantityKey(fields_[kSeriesMaximum].box, key);
}

void EngineTestWindow::commitField(int index) {
    Field& f = fields_[static_cast<std::size_t>(index)];
    // The box holds a finite number inside the range of its quantity (refused entries never get here).
    const float v = static_cast<float>(form::numberIn(f.box));
    EngineData& e = project_.engine;
    switch (index) {
    case kAltitude:
        // A new altitude brings the ambient temperature and pressure of the table atmosphere.
        setEngineTestCondition(project_, e.controls[1], v, 0);
        form::showValue(fields_[kTemperature].box, e.controls[3]);
        showAtmosphereNote();
        break;
    case kMaxTt4:
        e.tt4MaxSetting = e.controls[5] = v;
        break;
    case kMaxTt7:
        e.tt7MaxSetting = e.controls[6] = v;
        break;
    case kPercent:
        if (v != e.test.percent) e.test.percent = v;
        break;
    default:
        *f.stored = v;
        break;
    }
    form::showValue(f.box, *f.stored);
}

void EngineTestWindow::fillFields() {
    for (Field& f : fields_) {
        form::showValue(f.box, *f.stored);
        f.box->setCursorPosition(0);
    }
    const bool english = project_.unitSystem == kEnglish;
    for (QLabel* unit : findChildren<QLabel*>()) {
        const QString kind = unit->property("unitKind").toString();
        if (kind == "L") unit->setText(english ? "ft" : "m");
        if (kind == "T") unit->setText(english ? "R" : "K");
        if (kind == "P") unit->setText(english ? "psia" : "Pa");
        // Result captions name the unit of the value beside them.
        const QString output = unit->property("outputUnit").toString();
        if (!output.isEmpty()) {
            QString name;
            if (output == "F") name = english ? "lbf" : "N";
            if (output == "S") name = english ? "1/hr" : "mg/N/s";
            if (output == "M") name = english ? "lbm/s" : "kg/s";
            if (output == "T") name = english ? "R" : "K";
            unit->setText(unit->property("outputCaption").toString() + " (" + name + ")");
        }
    }
    optionGroup_->setExclusive(false);
    for (int k = 0; k < 7; ++k) options_[k]->setChecked(project_.engine.test.seriesVariable == k + 3);
    optionGroup_->setExclusive(true);
    followSeriesVariable();
}

void EngineTestWindow::clearOptions() {
    optionGroup_->setExclusive(false);
    for (QRadioButton* o : options_) o->setChecked(false);
    optionGroup_->setExclusive(true);
    project_.engine.test.seriesVariable = 0;
    followSeriesVariable();
}

QLabel* EngineTestWindow::output(const char* name) const {
    return findChild<QLabel*>(name);
}

void EngineTestWindow::clearOutputs() {
    // Every shown value belongs to one run: none is left over from an earlier one.
    for (QLabel* l : findChildren<QLabel*>())
        if (l->frameShape() == QFrame::Panel) l->clear();
}

void EngineTestWindow::setOutput(const char* name, const std::string& text) {
    if (QLabel* l = output(name)) l->setText(qs(text));
}

void EngineTestWindow::reset() {
    messages_.clear();
    clearOutputs();
    WaitCursor wait;
    CalculationScope scope(project_);
    const EngineResetFields f = engineResetFields(engineTestReset(project_, messages_));
    setOutput("lblTt4", f.tt4);
    setOutput("lblMaxThrust", f.maxThrust);
    setOutput("lblMaxTsfc", f.tsfc);
    setOutput("lblThrust", f.testThrust);
    setOutput("lblTsfc", f.testTsfc);
}

void EngineTestWindow::open() {
    fillFields();
    show();
    raise();
    activateWindow();
    reset();
}

void EngineTestWindow::test() {
    clearOptions();
    messages_.clear();
    clearOutputs();
    const auto& c = project_.engine.controls;
    WaitCursor wait;
    CalculationScope scope(project_);
    const EngineTestResult result =
        runEngineTest(project_, c[1], c[2], c[3], project_.engine.test.percent, messages_);
    showAtmosphereNote();
    const EngineTestFields f = engineTestFields(result);
    setOutput("lblMaxThrust", engineResetFields(result.reset).maxThrust);
    setOutput("lblMaxTsfc", engineResetFields(result.reset).tsfc);
    setOutput("lblThrust", f.thrust);
    setOutput("lblTsfc", f.tsfc);
    setOutput("lblMassFlow", f.massFlow);
    setOutput("lblTt4", f.tt4);
    setOutput("lblTt7", f.tt7);
    setOutput("lblAfterburner", f.afterburner);
    setOutput("lblLimit", f.limit);
    // The cycle values are those of a run that converged.
    if (!result.run.failed()) {
        setOutput("lblCompressorPR", f.pic);
        setOutput("lblFanPR", f.fanRatio);
        setOutput("lblHpcPR", f.hpcRatio);
        setOutput("lblLowSpool", f.lowSpool);
        setOutput("lblHighSpool", f.highSpool);
        setOutput("lblBypassRatio", f.bypassRatio);
        setOutput("lblMc2", f.mc2);
        setOutput("lblMc25", f.mc25);
        setOutput("lblPt9P9", f.pt9p9);
    }
}

void EngineTestWindow::series() {
    const std::string refusal = checkSeriesSettings(project_.engine.test);
    if (!refusal.empty()) {
        dialogs_.message(kApplicationTitle, refusal, MessageIcon::None);
        return;
    }
    // The series starts from the full-throttle state at the typed operating condition; the Results
    // window's report runs it, and the operating condition the user typed stays as typed.
    messages_.clear();
    clearOutputs();
    results_.showResults(kEngineSeriesMode, this);
}

void EngineTestWindow::throttleHook() {
    clearOptions();
    const auto& c = project_.engine.controls;
    hide();
    hook_.open(c[1], c[2], c[3]);
}

} // namespace vededa
