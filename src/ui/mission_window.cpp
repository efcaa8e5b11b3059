#include "ui/mission_window.h"
#include "ui/drag_input_window.h"
#include "ui/project_document.h"

#include "engine/analysis_binding.h"
#include "mission/leg_list.h"
#include "mission/leg_set.h"
#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "output/number_format.h"
#include "ui/analysis_form.h"
#include "ui/mission_plot_window.h"
#include "ui/results_window.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vededa {

using form::qs;

namespace {

float numberIn(const QLineEdit* edit) {
    return static_cast<float>(form::numberIn(edit));
}

} // namespace

MissionWindow::MissionWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results,
                             PrintService& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), results_(results),
      printer_(printer) {
    setObjectName("Form10");
    setWindowTitle("Mission");
    auto* layout = new QHBoxLayout(this);

    // Left: the leg list and the count.
    auto* left = new QVBoxLayout;
    // The column heads in the list's own font, over the columns of its lines.
    auto* head = new QLabel(QString::fromStdString(legListHeader()), this);
    head->setObjectName("lblListHeader");
    head->setFont(form::fixedPitchFont());
    left->addWidget(head);
    list_ = new QListWidget(this);
    list_->setObjectName("List1");
    list_->setFont(form::fixedPitchFont());
    list_->setMinimumWidth(340);
    left->addWidget(list_, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Number of Mission Legs (Max = 30)", this));
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName("lblCount");
    countRow->addWidget(countLabel_);
    countRow->addStretch();
    left->addLayout(countRow);
    layout->addLayout(left);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        project_.currentLeg = static_cast<int16_t>(list_->row(item) + 1);
        number_->setText(QString::number(project_.currentLeg));
        showLeg();
    });

    // Middle: leg number, type, name, the parameter boxes and the aircraft data.
    auto* middle = new QVBoxLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel("Leg", this));
    number_ = form::field(this, "txtLeg", form::Quantity{project_, ""}, [this] { numberLeft(); });
    number_->setMaximumWidth(60);
    numberRow->addWidget(number_);
    currentLabel_ = new QLabel(this);
    currentLabel_->setObjectName("lblLeg");
    numberRow->addWidget(currentLabel_);
    numberRow->addStretch();
    middle->addLayout(numberRow);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel("Type", this));
    type_ = new QComboBox(this);
    type_->setObjectName("cboType");
    type_->setMinimumWidth(280);
    type_->installEventFilter(this);
    typeRow->addWidget(type_, 1);
    middle->addLayout(typeRow);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Name", this));
    name_ = new QLineEdit(this);
    name_->setObjectName("txtName");
    nameRow->addWidget(name_, 1);
    middle->addLayout(nameRow);
    nameCaption_ = new QLabel(this);
    nameCaption_->setObjectName("lblName");
    typeCaption_ = new QLabel(this);
    typeCaption_->setObjectName("lblType");
    middle->addWidget(nameCaption_);
    middle->addWidget(typeCaption_);

    auto* boxes = new QGridLayout;
    for (int b = 0; b < kBoxes; ++b) {
        boxLabels_[b] = new QLabel(this);
        boxLabels_[b]->setObjectName(QString("lblParameter_%1").arg(b + 1));
        boxes_[b] = form::field(this, QString("txtParameter_%1").arg(b + 1), form::Quantity{project_, ""},
                                [this, b] { boxLeft(b); });
        boxes_[b]->setMaximumWidth(120);
        boxes->addWidget(boxLabels_[b], b, 0);
        boxes->addWidget(boxes_[b], b, 1);
    }
    middle->addLayout(boxes);

    auto* aircraft = new QGroupBox(this);
    auto* grid = new QGridLayout(aircraft);
    auto aircraftBox = [&](int row, const char* label, const char* name, const char* quantity, auto onLeave) {
        grid->addWidget(new QLabel(label, aircraft), row, 0);
        QLineEdit* edit = form::field(aircraft, name, form::Quantity{project_, quantity}, [this, onLeave] {
            onLeave();
            showAircraft();
        });
        edit->setMaximumWidth(120);
        grid->addWidget(edit, row, 1);
        aircraftUnits_[static_cast<std::size_t>(row)] = new QLabel(aircraft);
        grid->addWidget(aircraftUnits_[static_cast<std::size_t>(row)], row, 2);
        return edit;
    };
    takeoffWeight_ = aircraftBox(0, "Gross Takeoff Weight - W", "txtWTO", "weight",
                                 [this] { setMissionTakeoffWeight(project_, numberIn(takeoffWeight_)); });
    beta_ = aircraftBox(1, "Weight Fraction at Start (Beta)", "txtBeta", "beta",
                        [this] { project_.betaStart[1] = numberIn(beta_); });
    wingLoading_ = aircraftBox(2, "Wing Loading   W/S", "txtWS", "wing-loading",
                               [this] { setMissionWingLoading(project_, numberIn(wingLoading_)); });
    thrustLoading_ = aircraftBox(3, "Thrust Loading T/W", "txtTW", "thrust-loading",
                                 [this] { setMissionThrustLoading(project_, numberIn(thrustLoading_)); });
    seaLevelThrust_ = aircraftBox(4, "Thrust @ SL Static - T", "txtTSL", "thrust",
                                  [this] { setMissionSeaLevelThrust(project_, numberIn(seaLevelThrust_)); });
    wingArea_ = aircraftBox(5, "Wing Area - S", "txtS", "wing-area",
                            [this] { setMissionWingArea(project_, numberIn(wingArea_)); });
    middle->addWidget(aircraft);
    layout->addLayout(middle, 1);

    // Right: the commands.
    auto* right = new QVBoxLayout;
    auto button = [&](const char* caption, const char* name, void (MissionWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        right->addWidget(b);
        return b;
    };
    button("Add", "cmdAdd", &MissionWindow::add);
    button("Remove", "cmdRemove", &MissionWindow::remove);
    button("Change", "cmdChange", &MissionWindow::change);
    button("Calculate", "cmdCalculate", &MissionWindow::calculate);
    summaryButton_ = button("Summary", "cmdSummary", &MissionWindow::summary);
    plotButton_ = button("Plot", "cmdPlot", &MissionWindow::plot);
    button("Done", "cmdDone", &MissionWindow::done);
    right->addStretch();
    layout->addLayout(right);

    // Nothing is computed yet.
    summaryButton_->setEnabled(false);
    plotButton_->setEnabled(false);
    registerResultsModes();
    // Loading the window starts at leg 1.
    project_.currentLeg = 1;
    number_->setText("1");
    showLeg();
}

MissionWindow::~MissionWindow() = default;

MissionPlotWindow& MissionWindow::plotWindow() {
    if (!plotWindow_) {
        plotWindow_ = std::make_unique<MissionPlotWindow>(project_, dialogs_, printer_);
        plotWindow_->returnToMission = [this] { open(); };
    }
    return *plotWindow_;
}

void MissionWindow::registerResultsModes() {
    ResultsMode legs;
    legs.report = [this](ResultsWindow& w, int16_t item) {
        // The leg report grows by one leg per page; leg 1 starts it anew.
        const std::string page = computeMissionLeg(project_, models_, item);
        if (item == 1)
            w.setText(page);
        else
            w.appendReport(page);
    };
    legs.lastItem = [this] { return project_.legCount; };
    legs.finished = [this] {
        summaryButton_->setEnabled(true);
        plotButton_->setEnabled(true);
        open();
    };
    legs.done = [this] {
        summaryButton_->setEnabled(true);
        open();
    };
    results_.registerMode(kNextLegMode, std::move(legs));

    ResultsMode summary;
    summary.report = [this](ResultsWindow& w, int16_t page) {
        if (page == 1)
            w.setText(missionSummary(project_, 1));
        else
            w.appendReport(missionSummary(project_, page));
    };
    summary.done = [this] { open(); };
    results_.registerMode(kNextPageMode, std::move(summary));
}

void MissionWindow::open() {
    showLeg();
    show();
    raise();
    activateWindow();
}

void MissionWindow::showLeg() {
    const int current = project_.currentLeg;
    const int count = project_.legCount;
    refreshUnitLabels();
    if (current >= 1 && current <= count) {
        const MissionLeg& leg = project_.legs[static_cast<std::size_t>(current)];
        const int t = legTypeIndex(leg.type);
        const std::string typeName =
            t > 0 ? project_.labels.legTypeNames[static_cast<std::size_t>(t)] : leg.type;
        nameCaption_->setText(qs("Name:  " + leg.name));
        typeCaption_->setText(qs("Type:  " + typeName));
        name_->setText(qs(leg.name));
        const std::vector<LegField> fields = legFields(project_, leg.type);
        for (int b = 0; b < kBoxes; ++b) {
            const bool used = b < static_cast<int>(fields.size());
            boxLabels_[b]->setVisible(used);
            boxes_[b]->setVisible(used);
            boxParameter_[b] = 0;
            if (!used) continue;
            const LegField& f = fields[static_cast<std::size_t>(b)];
            boxParameter_[b] = f.parameter;
            boxLabels_[b]->setText(qs(project_.labels.legLabels[static_cast<std::size_t>(f.label)]));
            form::setQuantityKey(boxes_[b], legFieldRangeKey(leg.type, f));
            form::showValue(boxes_[b], qs(legFieldText(project_, leg, f)));
        }
    } else {
        // Past the last leg (the place to add at) there is no leg whose values the boxes could edit.
        nameCaption_->setText("Name:  ");
        typeCaption_->setText("Type:  ");
        for (int b = 0; b < kBoxes; ++b) {
            boxLabels_[b]->hide();
            boxes_[b]->hide();
            boxParameter_[b] = 0;
        }
    }
    countLabel_->setText(QString::number(count));
    currentLabel_->setText(QString::number(current));
    list_->clear();
    for (int n = 1; n <= count; ++n)
        list_->addItem(qs(legListLine(n, project_.legs[static_cast<std::size_t>(n)])));
    showAircraft();
    type_->clear();
    for (std::size_t t = 1; t <= 13; ++t) type_->addItem(qs(project_.labels.legTypeNames[t]));
    type_->setCurrentIndex(-1);
}

void MissionWindow::showAircraft() {
    form::showValue(wingLoading_, project_.wingLoading);
    form::showValue(thrustLoading_, project_.thrustLoading);
    form::showValue(beta_, project_.betaStart[1]);
    form::showValue(takeoffWeight_, project_.takeoffWeight());
    form::showValue(seaLevelThrust_, project_.thrustLoading * project_.takeoffWeight());
    form::showValue(wingArea_, project_.wingArea);
}

void MissionWindow::refreshUnitLabels() {
    const WindowUnitLabels& w = project_.labels.window;
    aircraftUnits_[0]->setText(qs(w.weight));
    aircraftUnits_[2]->setText(qs(w.pressure));
    aircraftUnits_[4]->setText(qs(w.weight));
    aircraftUnits_[5]->setText(qs(w.wingArea));
}

void MissionWindow::boxLeft(int box) {
    if (project_.currentLeg < 1 || project_.currentLeg > project_.legCount) return;
    for (const FieldUpdate& u : setLegField(project_, box, numberIn(boxes_[box]))) {
        for (int b = 0; b < kBoxes; ++b)
            if (b != box && boxParameter_[b] == u.parameter) form::showValue(boxes_[b], qs(u.text));
    }
}

void MissionWindow::numberLeft() {
    project_.currentLeg = legNumberFromBox(project_, leadingNumber(form::text(number_)));
    number_->setText(QString::number(project_.currentLeg));
    showLeg();
}

bool MissionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == type_ && event->type() == QEvent::FocusOut) typeLeft();
    return QWidget::eventFilter(watched, event);
}

void MissionWindow::typeLeft() {
    const int current = project_.currentLeg;
    if (current < 1 || current > project_.legCount || type_->currentText().isEmpty()) return;
    const MissionLeg& leg = project_.legs[static_cast<std::size_t>(current)];
    const int t = legTypeIndex(leg.type);
    const std::string chosen = type_->currentText().toStdString();
    if (t > 0 && chosen == project_.labels.legTypeNames[static_cast<std::size_t>(t)]) return;
    // A preview of the new type in the list until Change is clicked.
    if (QListWidgetItem* item = list_->item(current - 1))
        item->setText(qs(legTypePreviewLine(current, chosen)));
}

void MissionWindow::add() {
    const LegEdit edit = addLeg(project_, type_->currentText().toStdString(), form::text(name_));
    if (!edit.message.empty()) {
        dialogs_.message(kApplicationTitle, edit.message, MessageIcon::Warning);
        return;
    }
    showLeg();
}

void MissionWindow::remove() {
    if (project_.currentLeg > project_.legCount) return;
    if (!dialogs_.ask(kApplicationTitle, removeLegQuestion(project_.currentLeg), false)) return;
    removeLeg(project_);
    number_->setText(QString::number(project_.currentLeg));
    showLeg();
}

void MissionWindow::change() {
    changeLeg(project_, leadingNumber(form::text(number_)), type_->currentText().toStdString(),
              form::text(name_));
    number_->setText(QString::number(project_.currentLeg));
    showLeg();
}

void MissionWindow::calculate() {
    if (form::stopAtRefusedEntry(this)) return; // the inputs shown are not those stored
    if (!usableDragModel(project_, dialogs_)) return;
    // The models are taken as they are selected now, for every leg of this calculation.
    {
        CalculationScope scope(project_);
        models_ = bindAnalysisModels(project_);
    }
    results_.setText("");
    results_.showResults(kNextLegMode, this);
}

void MissionWindow::summary() {
    results_.setText("");
    results_.showResults(kNextPageMode, this);
    // The engine page exists only with the cycle deck.
    results_.setNextVisible(project_.thrustModel == 7);
}

void MissionWindow::plot() {
    MissionPlotWindow& w = plotWindow();
    hide();
    w.show();
    w.raise();
    w.activateWindow();
    w.plot();
}

void MissionWindow::done() {
    hide();
}

void MissionWindow::resultsStale() {
    summaryButton_->setEnabled(false);
    plotButton_->setEnabled(false);
    if (plotWindow_) plotWindow_->hide();
    if (isVisible()) showLeg();
}

} // namespace vededa
