#include "ui/analysis_form.h"

#include "app/field_ranges.h"
#include "app/units.h"
#include "output/field_text.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QMainWindow>
#include <QStatusBar>

namespace vededa::form {

namespace {

/// The object name of the status bar added to a window for refused entries.
constexpr const char* kFieldStatusName = "fieldStatus";

/// The frame that marks a refused entry.
constexpr const char* kRefusedStyle = "QLineEdit { border: 2px solid #d00000; border-radius: 2px; }";

const NumberValidator* numberValidator(const QLineEdit* edit) {
    return dynamic_cast<const NumberValidator*>(edit->validator());
}

void clearRefusal(QLineEdit* edit) {
    if (!edit->property("refused").toBool()) return;
    edit->setProperty("refused", false);
    edit->setStyleSheet(QString());
    edit->setToolTip(edit->property("plainToolTip").toString());
    const QString reason = edit->property("refusal").toString();
    edit->setProperty("refusal", QVariant());
    QWidget* window = edit->window();
    QStatusBar* bar = fieldStatusBar(window);
    if (!bar || bar->currentMessage() != reason) return;
    bar->clearMessage();
    // Another box of the window may still hold a refused entry: its reason shows again.
    for (QLineEdit* other : window->findChildren<QLineEdit*>())
        if (other->window() == window && showsRefusal(other)) {
            bar->showMessage(other->property("refusal").toString());
            break;
        }
}

void showRefusal(QLineEdit* edit, const std::string& problem) {
    QString reason = qs(problem);
    if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
    reason += ". Correct it, or press Escape for the stored value.";
    if (!edit->property("refused").toBool()) {
        edit->setProperty("plainToolTip", edit->toolTip());
        edit->setStyleSheet(kRefusedStyle);
    }
    edit->setProperty("refused", true);
    edit->setProperty("refusal", reason);
    edit->setToolTip(reason);
    if (QStatusBar* bar = fieldStatusBar(edit->window())) bar->showMessage(reason);
}

/// Follows the typing in a refused box: the refusal goes as soon as the text is accepted, and its
/// reason follows the text meanwhile; a text the window puts in ends it.
void followRefusal(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] {
        if (!showsRefusal(edit)) return;
        const std::string problem = numberProblem(edit);
        if (problem.empty())
            clearRefusal(edit);
        else
            showRefusal(edit, problem);
    });
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->isModified()) clearRefusal(edit);
    });
}

} // namespace

bool ShownTextKeeper::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = static_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusIn && !edit->isModified()) edit->setProperty("shownText", edit->text());
    // Undo and redo keys belong to the box while it has typing of its own to undo; otherwise they
    // undo and redo the project's last change.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo) && !edit->isUndoAvailable();
        const bool redo = key->matches(QKeySequence::Redo) && !edit->isRedoAvailable();
        if (undo || redo) {
            event->ignore();
            return true;
        }
        // Escape belongs to a number box with typing of its own (it puts the stored value back).
        if (key->key() == Qt::Key_Escape && numberValidator(edit) && edit->isModified()) {
            event->accept();
            return false;
        }
    }
    if (!numberValidator(edit)) return false;
    if (event->type() == QEvent::FocusOut) {
        // The box keeps the refused text; the frame and the status bar say why nothing was stored.
        refuseTypedText(edit);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && refuseTypedText(edit))
            return true; // a refused entry does not reach the window's default button either
        if (key->key() == Qt::Key_Escape && edit->isModified()) {
            QVariant stored = edit->property("storedText");
            if (!stored.isValid()) stored = edit->property("shownText");
            if (stored.isValid()) edit->setText(stored.toString());
            edit->setModified(false);
            clearRefusal(edit);
            return true;
        }
    }
    return false;
}

void rememberShownText(QLineEdit* edit) {
    if (edit->property("shownTextKept").toBool()) return;
    edit->setProperty("shownTextKept", true);
    edit->installEventFilter(new ShownTextKeeper(edit));
    // A text the window puts in is the text of the stored value (what Escape puts back).
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->isModified()) edit->setProperty("storedText", edit->text());
    });
}

bool takeUserEdit(QLineEdit* edit) {
    if (!edit->isModified()) return false;
    edit->setModified(false);
    const QVariant shown = edit->property("shownText");
    const bool changed = !shown.isValid() || edit->text() != shown.toString();
    edit->setProperty("shownText", edit->text());
    return changed;
}

NumberValidator::NumberValidator(const ProjectData& project, std::string key, QObject* parent)
    : QValidator(parent), project_(project), key_(std::move(key)) {}

QValidator::State NumberValidator::validate(QString& input, int&) const {
    // Never Invalid: what the user types stays in the box, so that a refusal can be seen and corrected.
    return problem(input).empty() ? Acceptable : Intermediate;
}

std::string NumberValidator::problem(const QString& text) const {
    const std::string typed = text.toStdString();
    const FieldRange* range = key_.empty() ? nullptr : findFieldRange(key_);
    double value = 0;
    if (!range) return parseWholeNumber(typed, value) ? std::string() : "the entry must be a finite number";
    if (!parseWholeNumber(typed, value)) {
        const bool empty = text.trimmed().isEmpty();
        return std::string(range->caption) +
               (empty ? " is empty" : " must be a number, found \"" + typed + "\"");
    }
    return fieldValueProblem(*range, value, project_.unitSystem == kSI);
}

void checkNumber(QLineEdit* edit, const Quantity& quantity) {
    if (auto* existing = const_cast<NumberValidator*>(numberValidator(edit))) {
        existing->setKey(quantity.key);
        return;
    }
    rememberShownText(edit);
    edit->setValidator(new NumberValidator(quantity.project, quantity.key, edit));
    followRefusal(edit);
}

void setQuantityKey(QLineEdit* edit, const std::string& key) {
    if (auto* validator = const_cast<NumberValidator*>(numberValidator(edit))) validator->setKey(key);
}

std::string numberProblem(const QLineEdit* edit) {
    const NumberValidator* validator = numberValidator(edit);
    return validator ? validator->problem(edit->text()) : std::string();
}

bool refuseTypedText(QLineEdit* edit) {
    if (!edit->isModified()) return false;
    const std::string problem = numberProblem(edit);
    if (problem.empty()) return false;
    showRefusal(edit, problem);
    return true;
}

bool showsRefusal(const QLineEdit* edit) {
    return edit->property("refused").toBool();
}

bool stopAtRefusedEntry(QWidget* window) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->window() != window || !edit->isVisible()) continue;
        // A box typed into and not yet left counts as well.
        if (!showsRefusal(edit) && !refuseTypedText(edit)) continue;
        if (QStatusBar* bar = fieldStatusBar(window)) bar->showMessage(edit->property("refusal").toString());
        edit->setFocus();
        return true;
    }
    return false;
}

double numberIn(const QLineEdit* edit) {
    double value = 0;
    return parseWholeNumber(edit->text().toStdString(), value) ? value : 0.0;
}

QStatusBar* fieldStatusBar(QWidget* window) {
    if (!window) return nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(window)) return main->statusBar();
    for (QStatusBar* bar : window->findChildren<QStatusBar*>(kFieldStatusName))
        if (bar->window() == window) return bar;
    QLayout* layout = window->layout();
    if (!layout) return nullptr;
    auto* bar = new QStatusBar(window);
    bar->setObjectName(kFieldStatusName);
    bar->setSizeGripEnabled(false);
    auto* column = qobject_cast<QVBoxLayout*>(layout);
    if (column) {
        column->addWidget(bar);
    } else if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->addWidget(bar, grid->rowCount(), 0, 1, -1);
    } else {
        // A window laid out side by side gets its status bar below the whole of it.
        auto* content = new QWidget;
        content->setObjectName("fieldStatusContent");
        content->setLayout(layout);
        auto* outer = new QVBoxLayout(window);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addWidget(content, 1);
        outer->addWidget(bar);
    }
    // An open window grows by the bar, so that its form keeps the room it had.
    if (window->isVisible()) window->resize(window->width(), window->height() + bar->sizeHint().height());
    return bar;
}

void showValue(QLineEdit* edit, const QString& text) {
    // A refusal typed over the value that is still stored stays until the user corrects it.
    if (showsRefusal(edit) && edit->property("storedText").toString() == text) return;
    edit->setText(text);
}

void showValue(QLineEdit* edit, float value) {
    showValue(edit, qs(fieldText(value)));
}

bool takeTypedNumber(QLineEdit* edit) {
    if (refuseTypedText(edit)) return false;
    return takeUserEdit(edit);
}

} // namespace vededa::form
