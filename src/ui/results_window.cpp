#include "ui/results_window.h"

#include "ui/plot_export.h"

#include "ui/project_document.h"

#include "ui/analysis_form.h"

#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vededa {

namespace {

/// The Results text font: "Courier New", fixed pitch, so the report columns line up.
QFont resultsFont() {
    QFont font = form::fixedPitchFont();
    font.setPointSize(10);
    return font;
}

/// Hourglass pointer for the duration of a scope.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ResultsWindow::ResultsWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), printer_(printer) {
    setObjectName("Form5");
    setWindowTitle("Results");
    resize(760, 560);
    auto* layout = new QVBoxLayout(this);
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName("Text1");
    textBox_->setReadOnly(true);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setFont(resultsFont());
    layout->addWidget(textBox_);
    auto* buttons = new QHBoxLayout;
    printButton_ = new QPushButton("Print", this);
    printButton_->setObjectName("Command1");
    nextButton_ = new QPushButton(this);
    nextButton_->setObjectName("Command2");
    doneButton_ = new QPushButton("Done", this);
    doneButton_->setObjectName("Command3");
    auto* saveButton = new QPushButton("Save As Text...", this);
    saveButton->setObjectName("cmdSaveText");
    auto* copyButton = new QPushButton("Copy", this);
    copyButton->setObjectName("cmdCopy");
    buttons->addWidget(printButton_);
    buttons->addWidget(saveButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(nextButton_);
    buttons->addWidget(doneButton_);
    layout->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &ResultsWindow::saveAsText);
    connect(copyButton, &QPushButton::clicked, this, &ResultsWindow::copy);
    connect(printButton_, &QPushButton::clicked, this, &ResultsWindow::print);
    connect(nextButton_, &QPushButton::clicked, this, &ResultsWindow::next);
    connect(doneButton_, &QPushButton::clicked, this, &ResultsWindow::done);
}

void ResultsWindow::saveAsText() {
    saveTextWithDialogs(dialogs_, "Save As Text", "Text file (*.txt)|*.txt|All files (*.*)|*.*", text_);
}

void ResultsWindow::copy() {
    QString selected = textBox_->textCursor().selectedText();
    // A selection's line ends come as paragraph separators; the whole text goes as shown, with CRLF.
    QApplication::clipboard()->setText(selected.isEmpty() ? QString::fromStdString(text_)
                                                          : selected.replace(QChar(0x2029), "\r\n"));
}

void ResultsWindow::registerMode(const std::string& caption, ResultsMode mode) {
    modes_[caption] = std::move(mode);
}

std::string ResultsWindow::mode() const {
    return nextButton_->text().toStdString();
}

const ResultsMode* ResultsWindow::currentMode() const {
    const auto it = modes_.find(mode());
    return it == modes_.end() ? nullptr : &it->second;
}

void ResultsWindow::setText(const std::string& text) {
    text_ = text;
    QString shown = QString::fromStdString(text_);
    shown.replace("\r\n", "\n");
    textBox_->setPlainText(shown);
}

void ResultsWindow::appendReport(const std::string& report) {
    // The view moves to the page just added (Next Leg, Next Constraint): its first line at the top.
    QString before = QString::fromStdString(text_);
    before.replace("\r\n", "\n");
    setText(text_ + report);
    QTextCursor cursor = textBox_->textCursor();
    cursor.movePosition(QTextCursor::End);
    textBox_->setTextCursor(cursor);
    textBox_->ensureCursorVisible();
    cursor.setPosition(static_cast<int>(before.size()));
    textBox_->setTextCursor(cursor);
    textBox_->ensureCursorVisible();
}

void ResultsWindow::runReport(int16_t item) {
    const ResultsMode* m = currentMode();
    if (!m || !m->report) return;
    WaitCursor wait;
    // A report calculates; it never changes the user's inputs.
    CalculationScope scope(project_);
    m->report(*this, item);
}

void ResultsWindow::showResults(const std::string& caption, QWidget* caller) {
    nextButton_->setText(QString::fromStdString(caption));
    // The engine series has no pages to step through.
    nextButton_->setVisible(caption != kEngineSeriesMode);
    doneButton_->setEnabled(true);
    item_ = 1;
    if (caller) caller->hide();
    show();
    raise();
    activateWindow();
    runReport(item_);
}

void ResultsWindow::setNextVisible(bool visible) {
    nextButton_->setVisible(visible);
}

void ResultsWindow::next() {
    ++item_;
    const std::string caption = mode();
    const ResultsMode* m = currentMode();
    if (caption == kNextConstraintMode || caption == kNextLegMode) {
        // Without its own count a mode steps through the project's constraints or legs.
        const int16_t last = m && m->lastItem                 ? m->lastItem()
                             : caption == kNextConstraintMode ? project_.constraintCount
                                                              : project_.legCount;
        if (item_ > last) {
            hide();
            if (m && m->finished) m->finished();
            return;
        }
        runReport(item_);
    } else if (caption == kNextPageMode) {
        if (nextButton_->isVisible()) {
            runReport(2);
            nextButton_->hide();
        }
    }
}

void ResultsWindow::done() {
    const ResultsMode* m = currentMode();
    hide();
    if (m && m->done) m->done();
}

void ResultsWindow::print() {
    const std::string caption = mode();
    std::string question;
    if (caption == kNextConstraintMode)
        question = "Print the Results of Constraint #" + std::to_string(item_) + " on PRINTER?";
    else if (caption == kNextLegMode)
        question = "Print the Results of Leg #" + std::to_string(item_) + " on PRINTER?";
    else if (caption == kNextPageMode)
        question = "Print the Mission Summary on PRINTER?";
    else
        question = "Print the Engine Results on PRINTER?";
    if (!dialogs_.ask(kApplicationTitle, question, false)) return;
    WaitCursor wait;
    const char* report = caption == kNextConstraintMode ? "constraints"
                         : caption == kNextLegMode      ? "mission"
                         : caption == kNextPageMode     ? "mission-summary"
                                                        : "engine-series";
    printer_.printReport(text_, report);
}

} // namespace vededa
