#include "ui/throttle_hook_window.h"
#include "ui/project_document.h"

#include "ui/analysis_form.h"

#include "engine/throttle_hook.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vededa {

ThrottleHookWindow::ThrottleHookWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), printer_(printer) {
    setObjectName("Form14");
    setWindowTitle("Throttle Hook");

    text_ = form::reportView(this, "Text1", 96, 36);

    auto* printButton = new QPushButton("Print", this);
    printButton->setObjectName("Command1");
    connect(printButton, &QPushButton::clicked, this, &ThrottleHookWindow::print);
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command2");
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    buttons->addWidget(done);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
}

void ThrottleHookWindow::open(float mach, float altitude, float T0) {
    report_.clear();
    messages_.clear();
    text_->clear();
    show();
    raise();
    activateWindow();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        CalculationScope scope(project_);
        report_ = calculateThrottleHook(project_, mach, altitude, T0, messages_);
    }
    QApplication::restoreOverrideCursor();
    QString shown = QString::fromStdString(report_);
    shown.replace("\r\n", "\n");
    text_->setPlainText(shown);
}

void ThrottleHookWindow::print() {
    if (!dialogs_.ask(kApplicationTitle, "Print the Engine Throttle Hook Results on PRINTER?", false)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printer_.printReport(report_, "throttle-hook");
    QApplication::restoreOverrideCursor();
}

} // namespace vededa
