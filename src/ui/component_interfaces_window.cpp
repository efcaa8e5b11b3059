#include "ui/component_interfaces_window.h"
#include "ui/project_document.h"

#include "ui/analysis_form.h"

#include "engine/component_interfaces.h"
#include "output/number_format.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vededa {

namespace {

QString shownText(const std::string& report) {
    QString s = QString::fromStdString(report);
    s.replace("\r\n", "\n");
    return s;
}

} // namespace

ComponentInterfacesWindow::ComponentInterfacesWindow(ProjectData& project, UserDialogs& dialogs,
                                                     PrintService& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), printer_(printer) {
    setObjectName("Form13");
    setWindowTitle("Component Interfaces");

    auto* inputs = new QGridLayout;
    const char* captions[3] = {"Mach @ 1", "Mach @ 2", "Mach @ 7"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setObjectName(QString("Label%1").arg(i + 1));
        machBoxes_[i] = new QLineEdit(this);
        machBoxes_[i]->setObjectName(QString("Text%1").arg(i + 1));
        machBoxes_[i]->setFixedWidth(70);
        inputs->addWidget(label, 0, 2 * i);
        inputs->addWidget(machBoxes_[i], 0, 2 * i + 1);
        static constexpr const char* kStations[3] = {"mach1", "mach2", "mach7"};
        form::whenEdited(machBoxes_[i], this, form::Quantity{project_, kStations[i]}, [this, i] {
            float& stored = *machValues()[i];
            commitInterfaceMach(stored, static_cast<float>(form::numberIn(machBoxes_[i])));
            // The box shows what is stored, so a Mach number of 0 (not taken) is seen at once.
            form::showValue(machBoxes_[i], stored);
        });
    }
    inputs->setColumnStretch(6, 1);

    text_ = form::reportView(this, "Text4", 92, 30);

    auto* calculate = new QPushButton("Calculate", this);
    calculate->setObjectName("Command1");
    connect(calculate, &QPushButton::clicked, this, &ComponentInterfacesWindow::calculate);
    printButton_ = new QPushButton("Print", this);
    printButton_->setObjectName("Command2");
    printButton_->setVisible(false);
    connect(printButton_, &QPushButton::clicked, this, &ComponentInterfacesWindow::print);
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command3");
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculate);
    buttons->addWidget(printButton_);
    buttons->addStretch(1);
    buttons->addWidget(done);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
}

std::array<float*, 3> ComponentInterfacesWindow::machValues() {
    EngineTestSettings& t = project_.engine.test;
    return {&t.interfaceMach1, &t.interfaceMach2, &t.interfaceMach7};
}

void ComponentInterfacesWindow::fillFields() {
    const auto values = machValues();
    for (int i = 0; i < 3; ++i) form::showValue(machBoxes_[i], *values[i]);
}

void ComponentInterfacesWindow::open() {
    fillFields();
    show();
    raise();
    activateWindow();
}

void ComponentInterfacesWindow::calculate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        CalculationScope scope(project_);
        report_ = componentInterfacesReport(project_);
    }
    QApplication::restoreOverrideCursor();
    text_->setPlainText(shownText(report_));
    printButton_->setVisible(true);
}

void ComponentInterfacesWindow::print() {
    if (!dialogs_.ask(kApplicationTitle, "Print the Engine Component Interfaces on PRINTER?", false)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printer_.printReport(report_, "component-interfaces");
    QApplication::restoreOverrideCursor();
}

} // namespace vededa
