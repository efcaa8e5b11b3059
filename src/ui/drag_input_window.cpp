#include "ui/drag_input_window.h"

#include "app/field_ranges.h"
#include "output/number_format.h"
#include "ui/analysis_form.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace vededa {

namespace {

/// The table names in the order of the count boxes and tabs.
constexpr std::array<const char*, 3> kTableNames = {"K1", "K2", "CD0"};

const char* increasingProblem(const DragTable& t, const char* message) {
    for (int r = 1; r < t.count; ++r)
        if (t.mach[r] >= t.mach[r + 1]) return message;
    return nullptr;
}

} // namespace

std::string dragTablesProblem(const ProjectData& project) {
    if (project.k1Table.count < 2) return "Can not have less than two K1 data points";
    if (auto m = increasingProblem(project.k1Table, "Mach number must increase between K1 data points"))
        return m;
    if (auto m = increasingProblem(project.k2Table, "Mach number must increase between K2 data points"))
        return m;
    if (project.cd0Table.count < 2) return "Can not have less than two CD0 data points";
    if (auto m = increasingProblem(project.cd0Table, "Mach number must increase between CD0 data points"))
        return m;
    return {};
}

bool usableDragModel(const ProjectData& project, UserDialogs& dialogs) {
    if (project.dragModel != 7) return true;
    const std::string problem = dragTablesProblem(project);
    if (problem.empty()) return true;
    dialogs.message(kApplicationTitle,
                    "The User Input Drag Model can not be calculated: " + problem +
                        ". Enter its tables (Aircraft Drag > User Input Drag Model) first.",
                    MessageIcon::Warning);
    return false;
}

DragInputWindow::DragInputWindow(ProjectData& project, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs) {
    setObjectName("Form6");
    setWindowTitle("User Input Drag Model");
    tables_[0].table = &project_.k1Table;
    tables_[1].table = &project_.k2Table;
    tables_[2].table = &project_.cd0Table;

    auto* layout = new QVBoxLayout(this);
    auto* equation = new QHBoxLayout;
    equation->addWidget(new QLabel("Equation:", this));
    equation->addWidget(new QLabel("CD = K1*CL^2 + K2*CL + CD0", this));
    equation->addStretch();
    layout->addLayout(equation);

    auto* counts = new QGroupBox("# of Data Points", this);
    counts->setObjectName("Frame1");
    auto* countLayout = new QHBoxLayout(counts);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SSTab1");
    for (int k = 0; k < 3; ++k) {
        TableFields& t = tables_[k];
        const QString name = kTableNames[k];
        countLayout->addWidget(new QLabel(name, counts));
        t.count = new QLineEdit(counts);
        t.count->setObjectName("txt" + name + "Count");
        t.count->setMaximumWidth(60);
        countLayout->addWidget(t.count);
        // A count above the table's size keeps its warning box, beside the box's own refusal; this
        // runs before the refusal check so the user sees both.
        connect(t.count, &QLineEdit::editingFinished, this, [this, edit = t.count] {
            double v = 0;
            if (edit->isModified() && parseWholeNumber(edit->text().toStdString(), v) && v > kMaxDragPoints)
                dialogs_.message(kApplicationTitle, "Maximum number of points is 11", MessageIcon::Warning);
        });
        form::whenEdited(t.count, this, form::Quantity{project_, "drag-points"},
                         [this, k] { countLeft(tables_[k]); });

        auto* page = new QWidget(tabs_);
        auto* grid = new QGridLayout(page);
        grid->addWidget(new QLabel("Number", page), 0, 0);
        grid->addWidget(new QLabel("Mach", page), 0, 1);
        grid->addWidget(new QLabel(name, page), 0, 2);
        for (int r = 1; r <= kMaxDragPoints; ++r) {
            auto* number = new QLabel(QString::number(r), page);
            t.mach[r] = new QLineEdit(page);
            t.mach[r]->setObjectName(QString("txt%1Mach_%2").arg(name).arg(r));
            t.value[r] = new QLineEdit(page);
            t.value[r]->setObjectName(QString("txt%1Value_%2").arg(name).arg(r));
            grid->addWidget(number, r, 0);
            grid->addWidget(t.mach[r], r, 1);
            grid->addWidget(t.value[r], r, 2);
            t.rowWidgets[r] = number;
            // Each field is stored in its point as soon as it is left; the order of the points is
            // checked by Done.
            form::whenEdited(t.mach[r], this, form::Quantity{project_, "mach"}, [this, k, r] {
                tables_[k].table->mach[r] = static_cast<float>(form::numberIn(tables_[k].mach[r]));
            });
            form::whenEdited(t.value[r], this, form::Quantity{project_, "drag-value"}, [this, k, r] {
                tables_[k].table->value[r] = static_cast<float>(form::numberIn(tables_[k].value[r]));
            });
        }
        grid->setRowStretch(kMaxDragPoints + 1, 1);
        tabs_->addTab(page, name);
    }
    countLayout->addStretch();
    layout->addWidget(counts);
    layout->addWidget(tabs_);

    auto* doneButton = new QPushButton("Done", this);
    doneButton->setObjectName("Command1");
    connect(doneButton, &QPushButton::clicked, this, [this] { done(); });
    layout->addWidget(doneButton, 0, Qt::AlignRight);
}

void DragInputWindow::fillTable(TableFields& t) {
    form::showValue(t.count, QString::number(t.table->count));
    for (int r = 1; r <= kMaxDragPoints; ++r) {
        const bool visible = r <= t.table->count;
        t.rowWidgets[r]->setVisible(visible);
        t.mach[r]->setVisible(visible);
        t.value[r]->setVisible(visible);
        if (visible) {
            form::showValue(t.mach[r], t.table->mach[r]);
            form::showValue(t.value[r], t.table->value[r]);
        }
    }
}

void DragInputWindow::countLeft(TableFields& t) {
    const double v = form::numberIn(t.count);
    if (v > kMaxDragPoints)
        dialogs_.message(kApplicationTitle, "Maximum number of points is 11", MessageIcon::Warning);
    // A count that rounds above 11 is not taken; a negative count means no points.
    const double rounded = std::nearbyint(v);
    if (rounded <= kMaxDragPoints) t.table->count = static_cast<int16_t>(rounded < 0 ? 0 : rounded);
    fillTable(t);
}

void DragInputWindow::open() {
    for (TableFields& t : tables_) fillTable(t);
    show();
    raise();
    activateWindow();
}

bool DragInputWindow::done() {
    const std::string problem = dragTablesProblem(project_);
    if (!problem.empty()) {
        dialogs_.message(kApplicationTitle, problem, MessageIcon::Warning);
        activateWindow();
        return false;
    }
    hide();
    if (parentWidget()) parentWidget()->activateWindow();
    return true;
}

void DragInputWindow::closeEvent(QCloseEvent* event) {
    // The close box makes the same checks as Done.
    if (isHidden() || done()) {
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace vededa
