#include "ui/constraint_window.h"

#include "constraint/constraint_data.h"

#include "constraint/constraint_calculation.h"
#include "constraint/constraint_diagram.h"
#include "constraint/constraint_list.h"
#include "constraint/constraint_set.h"
#include "output/number_format.h"
#include "output/plot_frame.h"
#include "ui/analysis_form.h"
#include "ui/design_point_drag.h"
#include "ui/drag_input_window.h"
#include "ui/plot_window.h"
#include "ui/project_document.h"
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

/// The diagram on the Plot window's picture: the frame inside the picture with room for the captions
/// right of it.
ConstraintDiagramLayout diagramLayout(bool printer) {
    ConstraintDiagramLayout l;
    l.width = kPlotPictureWidth;
    l.height = kPlotPictureHeight;
    l.left = 1300;
    l.right = 8000;
    // The printer page has the title between the file line and the frame.
    l.top = printer ? 800 : 600;
    l.bottom = 6200;
    l.captionTop = l.top;
    l.printer = printer;
    return l;
}

} // namespace

ConstraintWindow::ConstraintWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results,
                                   PlotWindow& plot, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), results_(results),
      plotWindow_(plot) {
    setObjectName("Form2");
    setWindowTitle("Constraint");
    auto* layout = new QHBoxLayout(this);

    // Left: the list of constraints and the count.
    auto* left = new QVBoxLayout;
    auto* head = new QLabel("Type   Name", this);
    head->setObjectName("Label1");
    left->addWidget(head);
    list_ = new QListWidget(this);
    list_->setObjectName("List1");
    list_->setFont(form::fixedPitchFont());
    list_->setMinimumWidth(340);
    left->addWidget(list_, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Number  of Constraints (Max = 30)", this));
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName("Label2");
    countRow->addWidget(countLabel_);
    countRow->addStretch();
    left->addLayout(countRow);
    layout->addLayout(left);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        project_.currentConstraint = static_cast<int16_t>(list_->row(item) + 1);
        redisplay();
    });

    // Middle: number, type, name and the parameter rows.
    auto* middle = new QVBoxLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel("Constraint", this));
    number_ = form::field(this, "Text1", form::Quantity{project_, ""}, [this] {
        editConstraintNumber(project_, form::text(number_));
        redisplay();
    });
    number_->setMaximumWidth(60);
    numberRow->addWidget(number_);
    currentLabel_ = new QLabel(this);
    currentLabel_->setObjectName("Label3");
    numberRow->addWidget(currentLabel_);
    numberRow->addStretch();
    middle->addLayout(numberRow);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel("Type:", this));
    type_ = new QComboBox(this);
    type_->setObjectName("Combo1");
    type_->setMinimumWidth(280);
    // A title chosen here is a preview in the list until Add or Change: leaving the list, even by Tab,
    // changes nothing.
    connect(type_, &QComboBox::activated, this, [this] { typeChosen(); });
    typeRow->addWidget(type_, 1);
    middle->addLayout(typeRow);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Name:", this));
    name_ = new QLineEdit(this);
    name_->setObjectName("Text2");
    nameRow->addWidget(name_, 1);
    middle->addLayout(nameRow);

    nameCaption_ = new QLabel(this);
    nameCaption_->setObjectName("Label4");
    typeCaption_ = new QLabel(this);
    typeCaption_->setObjectName("Label5");
    middle->addWidget(nameCaption_);
    middle->addWidget(typeCaption_);

    auto* rows = new QGridLayout;
    for (int r = 0; r < kRows; ++r) {
        rowLabels_[r] = new QLabel(this);
        rowLabels_[r]->setObjectName(QString("lblParameter_%1").arg(r + 1));
        rowFields_[r] = form::field(this, QString("txtParameter_%1").arg(r + 1), form::Quantity{project_, ""},
                                    [this, r] { rowLeft(r + 1); });
        rowFields_[r]->setMaximumWidth(120);
        rows->addWidget(rowLabels_[r], r, 0);
        rows->addWidget(rowFields_[r], r, 1);
    }
    middle->addLayout(rows);
    middle->addStretch();
    layout->addLayout(middle, 1);

    // Right: the ranges, the line width and the commands.
    auto* right = new QVBoxLayout;
    auto* ranges = new QGroupBox(this);
    auto* grid = new QGridLayout(ranges);
    grid->addWidget(new QLabel("Minumum", ranges), 0, 1);
    grid->addWidget(new QLabel("Maximum", ranges), 0, 2);
    grid->addWidget(new QLabel("Increment", ranges), 0, 3);
    wsCaption_ = new QLabel(ranges);
    wsCaption_->setObjectName("lblWingLoading");
    grid->addWidget(wsCaption_, 1, 0);
    grid->addWidget(new QLabel("Thrust Loading T/W", ranges), 2, 0);
    for (int k = 0; k < 3; ++k) {
        ws_[k] = form::field(
            ranges, QString("txtWS_%1").arg(k + 1), form::Quantity{project_, "ws-axis"}, [this, k] {
                project_.wsAxis[static_cast<std::size_t>(k + 1)] = static_cast<float>(form::numberIn(ws_[k]));
            });
        tw_[k] = form::field(
            ranges, QString("txtTW_%1").arg(k + 1), form::Quantity{project_, "tw-axis"}, [this, k] {
                project_.twAxis[static_cast<std::size_t>(k + 1)] = static_cast<float>(form::numberIn(tw_[k]));
            });
        grid->addWidget(ws_[k], 1, k + 1);
        grid->addWidget(tw_[k], 2, k + 1);
    }
    right->addWidget(ranges);
    auto* widthRow = new QHBoxLayout;
    lineWidthLabel_ = new QLabel("Printer Plot Line Width (1 to 4)", this);
    lineWidthLabel_->setObjectName("lblLineWidth");
    lineWidth_ = form::field(this, "txtLineWidth", form::Quantity{project_, "line-width"}, [this] {
        editPlotLineWidth(project_, form::text(lineWidth_));
        lineWidth_->setText(QString::number(project_.plotLineWidth));
    });
    lineWidth_->setMaximumWidth(60);
    widthRow->addWidget(lineWidthLabel_);
    widthRow->addWidget(lineWidth_);
    widthRow->addStretch();
    right->addLayout(widthRow);

    auto button = [&](const char* caption, const char* name, void (ConstraintWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        right->addWidget(b);
        return b;
    };
    button("Add", "cmdAdd", &ConstraintWindow::add);
    button("Remove", "cmdRemove", &ConstraintWindow::remove);
    button("Change", "cmdChange", &ConstraintWindow::change);
    button("Calculate", "cmdCalculate", &ConstraintWindow::calculate);
    plotButton_ = button("Plot", "cmdPlot", &ConstraintWindow::plot);
    button("Done", "cmdDone", &ConstraintWindow::done);
    right->addStretch();
    layout->addLayout(right);

    // The keyboard goes through the fields row by row, the ranges by row, then the commands.
    form::chainTabOrder({list_, number_, type_, name_});
    QWidget* last = name_;
    for (QLineEdit* row : rowFields_) {
        form::chainTabOrder({last, row});
        last = row;
    }
    form::chainTabOrder({last, ws_[0], ws_[1], ws_[2], tw_[0], tw_[1], tw_[2], lineWidth_});

    plotButton_->setEnabled(false);
    registerResultsMode();
    redisplay();
    drag_ = std::make_unique<DesignPointDrag>(project_, plotWindow_);
}

ConstraintWindow::~ConstraintWindow() = default;

void ConstraintWindow::registerResultsMode() {
    ResultsMode mode;
    mode.report = [this](ResultsWindow& w, int16_t item) {
        ConstraintOutcome outcome;
        const std::string page = ConstraintCalculation(project_, item, &outcome);
        for (const std::string& warning : outcome.warnings)
            dialogs_.message("Warning", warning, MessageIcon::Warning);
        w.setText(page);
    };
    mode.lastItem = [this] { return project_.constraintCount; };
    mode.finished = [this] { comeBack(); };
    mode.done = [this] { comeBack(); };
    results_.registerMode(kNextConstraintMode, std::move(mode));
}

void ConstraintWindow::comeBack() {
    // The Results window's item is shared with the mission pages, so the count is taken now.
    pagedConstraints_ = static_cast<int16_t>(results_.currentItem() - 1);
    plotButton_->setEnabled(true);
    open();
}

void ConstraintWindow::open() {
    redisplay();
    show();
    raise();
    activateWindow();
}

void ConstraintWindow::redisplay() {
    const int16_t count = project_.constraintCount;
    list_->clear();
    for (int n = 1; n <= count; ++n)
        list_->addItem(qs(constraintListLine(n, project_.constraints[static_cast<std::size_t>(n)])));
    countLabel_->setText(QString::number(count));
    number_->setText(QString::number(project_.currentConstraint));
    currentLabel_->setText(QString::number(project_.currentConstraint));

    // The type list shows the type of the constraint shown (none at the place to add at).
    type_->clear();
    for (std::size_t t = 1; t <= 10; ++t) type_->addItem(qs(project_.labels.constraintTypeNames[t]));
    const bool shown = project_.currentConstraint >= 1 && project_.currentConstraint <= count;
    const int16_t currentType =
        shown
            ? constraintTypeNumber(project_.constraints[static_cast<std::size_t>(project_.currentConstraint)])
            : 0;
    type_->setCurrentIndex(currentType > 0 ? currentType - 1 : -1);

    wsCaption_->setText(qs(project_.labels.window.wingLoadingAxis));
    for (std::size_t k = 0; k < 3; ++k) {
        form::showValue(ws_[k], project_.wsAxis[k + 1]);
        form::showValue(tw_[k], project_.twAxis[k + 1]);
    }
    const Constraint& c = project_.constraints[static_cast<std::size_t>(project_.currentConstraint)];
    name_->setText(qs(c.name));
    const bool results = project_.constraintPlotMade;
    if (results)
        lineWidth_->setText(QString::number(project_.plotLineWidth));
    else
        plotButton_->setEnabled(false);
    lineWidth_->setVisible(results);
    lineWidthLabel_->setVisible(results);
    fillRows();
}

void ConstraintWindow::fillRows() {
    const Constraint& c = project_.constraints[static_cast<std::size_t>(project_.currentConstraint)];
    const int16_t type = constraintTypeNumber(c);
    nameCaption_->setText(qs("Name:  " + c.name));
    typeCaption_->setText(
        qs("Type:  " +
           (type > 0 ? project_.labels.constraintTypeNames[static_cast<std::size_t>(type)] : c.type)));
    const std::vector<ConstraintRow> rows = constraintRows(project_, c);
    for (int r = 0; r < kRows; ++r) {
        const bool used = r < static_cast<int>(rows.size());
        rowLabels_[r]->setVisible(used);
        rowFields_[r]->setVisible(used);
        if (!used) continue;
        rowLabels_[r]->setText(qs(rows[static_cast<std::size_t>(r)].label));
        form::setQuantityKey(rowFields_[r], rows[static_cast<std::size_t>(r)].rangeKey);
        form::showValue(rowFields_[r], qs(rows[static_cast<std::size_t>(r)].value));
    }
}

void ConstraintWindow::rowLeft(int row) {
    if (project_.currentConstraint > project_.constraintCount) return;
    if (editConstraintRow(project_, static_cast<std::size_t>(row), form::text(rowFields_[row - 1])))
        plotButton_->setEnabled(false);
    // The linked rows (temperature, Mach, velocity) show their new values.
    fillRows();
}

void ConstraintWindow::typeChosen() {
    const int16_t current = project_.currentConstraint;
    if (current < 1 || current > project_.constraintCount || type_->currentText().isEmpty()) return;
    QListWidgetItem* item = list_->item(current - 1);
    if (!item) return;
    // The list line with the chosen type, in italics while it is only a preview.
    Constraint preview = project_.constraints[static_cast<std::size_t>(current)];
    preview.type = type_->currentText().left(1).toStdString();
    item->setText(qs(constraintListLine(current, preview)));
    QFont font = item->font();
    font.setItalic(preview.type != project_.constraints[static_cast<std::size_t>(current)].type);
    item->setFont(font);
}

void ConstraintWindow::add() {
    const std::string refusal =
        addConstraint(project_, type_->currentText().toStdString(), form::text(name_));
    if (!refusal.empty()) {
        dialogs_.message(kApplicationTitle, refusal, MessageIcon::Warning);
        return;
    }
    plotButton_->setEnabled(false);
    redisplay();
}

void ConstraintWindow::remove() {
    const std::string question = removeConstraintQuestion(project_);
    if (question.empty()) return;
    if (!dialogs_.ask(kApplicationTitle, question, false)) return;
    removeConstraint(project_);
    plotButton_->setEnabled(false);
    redisplay();
}

void ConstraintWindow::change() {
    changeConstraint(project_, form::text(number_), form::text(name_), type_->currentText().toStdString());
    plotButton_->setEnabled(false);
    redisplay();
}

void ConstraintWindow::calculate() {
    if (form::stopAtRefusedEntry(this)) return; // the inputs shown are not those stored
    if (!usableDragModel(project_, dialogs_)) return;
    const std::string refusal = constraintCalculateCheck(project_);
    if (!refusal.empty()) {
        dialogs_.message(kApplicationTitle, refusal, MessageIcon::Warning);
        return;
    }
    plotButton_->setEnabled(true);
    results_.setText("");
    results_.showResults(kNextConstraintMode, this);
}

void ConstraintWindow::plot() {
    // The diagram shows every constraint of the set: those the Results window was left before are
    // calculated now, as Next would have.
    if (pagedConstraints_ < project_.constraintCount) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        std::vector<std::string> warnings;
        {
            CalculationScope scope(project_);
            for (int16_t item = static_cast<int16_t>(pagedConstraints_ + 1); item <= project_.constraintCount;
                 ++item) {
                ConstraintOutcome outcome;
                ConstraintCalculation(project_, item, &outcome);
                warnings.insert(warnings.end(), outcome.warnings.begin(), outcome.warnings.end());
            }
        }
        pagedConstraints_ = project_.constraintCount;
        QApplication::restoreOverrideCursor();
        for (const std::string& warning : warnings)
            dialogs_.message("Warning", warning, MessageIcon::Warning);
    }
    const int16_t count = pagedConstraints_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RecordingCanvas diagram(kPlotPictureWidth, kPlotPictureHeight);
    const std::string refused = drawConstraintDiagram(diagram, project_, count, diagramLayout(false));
    QApplication::restoreOverrideCursor();
    // A range without width has no diagram: the window stays and says why.
    if (!refused.empty()) {
        dialogs_.message(kApplicationTitle, refused, MessageIcon::Warning);
        return;
    }
    plotWindow_.showPlot(
        [&](Canvas& canvas) { diagram.replay(canvas); },
        [&](Canvas& canvas) { drawConstraintDiagram(canvas, project_, count, diagramLayout(true)); },
        kPlotSourceConstraint);
    plotWindow_.setDataTable([csv = toCsv(constraintCurvesTable(project_, count))] { return csv; });
    const ConstraintDiagramLayout l = diagramLayout(false);
    PlotFrame frame;
    frame.left = static_cast<int16_t>(l.left);
    frame.right = static_cast<int16_t>(l.right);
    frame.top = static_cast<int16_t>(l.top);
    frame.bottom = static_cast<int16_t>(l.bottom);
    frame.xMin = project_.wsAxis[1];
    frame.xMax = project_.wsAxis[2];
    frame.yMin = project_.twAxis[1];
    frame.yMax = project_.twAxis[2];
    plotWindow_.setFrame(frame);
    plotWindow_.setReadoutCaptions(project_.unitSystem == kSI ? "W/S  (Pa) =" : "W/S (psf) =",
                                   "T/W        =");
    plotWindow_.setPrintEnabled(project_.printBufferFlag == 1);
    // The design point can be dragged on the diagram, with its margins and mission in a side panel.
    drag_->attach(count, diagramLayout(false), diagramLayout(true));
    hide();
}

void ConstraintWindow::done() {
    results_.hide();
    hide();
}

void ConstraintWindow::unitsSwitched() {
    drag_->projectChanged();
    plotButton_->setEnabled(false);
    if (isVisible()) redisplay();
}

} // namespace vededa
