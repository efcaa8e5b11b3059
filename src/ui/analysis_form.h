#pragma once

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QValidator>
#include <QVariant>
#include <QWidget>

#include "app/project_data.h"

#include <algorithm>
#include <initializer_list>

#include <string>

class QStatusBar;
class QWidget;

namespace vededa {

/// Small helpers the windows share: text boxes that commit when they lose the focus, number boxes that
/// refuse what is not a number in the range of its quantity, and the fixed-pitch report views.
namespace form {

/// "Courier New" or the closest fixed-pitch font, so that fixed-column reports and lists line up.
inline QFont fixedPitchFont() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

/// A text view that proposes a size of its own (columns by lines of its font) instead of the small
/// default, while it can shrink further and scroll.
class SizedTextView : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize preferred;
    QSize sizeHint() const override { return preferred.isValid() ? preferred : QPlainTextEdit::sizeHint(); }
};

/// Lines and columns a report view can shrink to (it scrolls), so that its window fits a small or
/// scaled screen.
inline constexpr int kReportViewShrinkLines = 10;
inline constexpr int kReportViewShrinkColumns = 56;

/// A read-only, unwrapped fixed-pitch text view named `name`; it opens `columns` characters wide and
/// `lines` lines high and can shrink to kReportViewShrinkColumns by kReportViewShrinkLines (it scrolls).
inline QPlainTextEdit* reportView(QWidget* parent, const QString& name, int columns, int lines) {
    auto* view = new SizedTextView(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont font = fixedPitchFont();
    view->setFont(font);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QString(columns, 'M'));
    view->setMinimumWidth(
        metrics.horizontalAdvance(QString(std::min(columns, kReportViewShrinkColumns), 'M')));
    view->setMinimumHeight(metrics.lineSpacing() * std::min(lines, kReportViewShrinkLines));
    const int frame = 2 * view->frameWidth() + 8;
    view->preferred = QSize(width + frame + 16, metrics.lineSpacing() * lines + frame);
    return view;
}

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

/// Keeps the text a box showed when the user entered it (property "shownText"); in a number box it
/// also shows a refused entry when the box is left or Return is pressed, and Escape puts the shown
/// text back.
class ShownTextKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

/// Remembers the text `edit` showed when the user entered it, so that a commit can tell a typed change
/// from text typed back to what was shown.
void rememberShownText(QLineEdit* edit);

/// True when the user changed the text of `edit` since the window last filled it; clears the mark.
bool takeUserEdit(QLineEdit* edit);

/// The checks of a number box: the whole text must be one finite number inside the physical range of
/// its quantity, taken from the range table of app/field_ranges.h in the project's unit system. Text
/// that is not accepted stays in the box as typed (a red frame, the reason in the window's status
/// bar) and is never stored; Escape puts the stored value back.
class NumberValidator : public QValidator {
  public:
    NumberValidator(const ProjectData& project, std::string key, QObject* parent);
    State validate(QString& input, int& position) const override;
    /// Why `text` is refused; empty when it is accepted.
    std::string problem(const QString& text) const;
    /// The range-table key of the quantity ("" = any finite number).
    void setKey(std::string key) { key_ = std::move(key); }
    const std::string& key() const { return key_; }

  private:
    const ProjectData& project_;
    std::string key_;
};

/// The quantity a number box holds: the project (for its unit system) and the key of the quantity in
/// the range table ("alt", "mach", "velocity", ...; "" for any finite number).
struct Quantity {
    const ProjectData& project;
    std::string key;
};

/// Makes `edit` a number box of `quantity` (or changes its quantity, as the rows of a record whose
/// meaning follows its type do).
void checkNumber(QLineEdit* edit, const Quantity& quantity);
/// Changes the quantity of a number box made by `checkNumber`.
void setQuantityKey(QLineEdit* edit, const std::string& key);

/// Why the text of `edit` is refused; empty when it is accepted or the box is not a number box.
std::string numberProblem(const QLineEdit* edit);

/// When the user typed a text that a number box refuses, shows the refusal and returns true; the
/// project must then not change.
bool refuseTypedText(QLineEdit* edit);

/// True while `edit` shows a refused entry (red frame, reason in the status bar).
bool showsRefusal(const QLineEdit* edit);

/// When a box of `window` holds a refused entry, shows its reason again, puts the focus in it and returns
/// true: a command that would run on the stored values stops instead.
bool stopAtRefusedEntry(QWidget* window);

/// The number in an accepted number box (0 for a box whose text is refused).
double numberIn(const QLineEdit* edit);

/// The status bar of `window` where refusals are shown: a main window's own, else one added at the
/// bottom of the window the first time it is needed.
QStatusBar* fieldStatusBar(QWidget* window);

/// Fills a box with the text of its stored value. A refused entry typed over the same stored value is
/// kept (the user corrects it or presses Escape); a new value replaces it.
void showValue(QLineEdit* edit, const QString& text);
/// The same with the shortest text of a stored single-precision value.
void showValue(QLineEdit* edit, float value);

/// When the user changed the text of `edit` and it is accepted, clears the mark and returns true;
/// shows the refusal of a refused text and returns false. For commands that store typed boxes before
/// they run.
bool takeTypedNumber(QLineEdit* edit);

/// A text box named `name`; `onLeave` runs when it loses the focus (or Return is pressed) after the user
/// changed its text.
template <typename F> QLineEdit* field(QWidget* parent, const QString& name, F onLeave) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(80);
    // Only a text the user changed is stored: the shown text of a value can be shorter than the value,
    // so passing through a box, or typing its text again, must not round or relink what it shows.
    rememberShownText(edit);
    QObject::connect(edit, &QLineEdit::editingFinished, parent, [edit, onLeave] {
        if (refuseTypedText(edit)) return;
        if (takeUserEdit(edit)) onLeave();
    });
    return edit;
}

/// A number box named `name` that holds `quantity`; `onLeave` runs when it loses the focus (or Return
/// is pressed) after the user changed its text to an accepted number.
template <typename F>
QLineEdit* field(QWidget* parent, const QString& name, const Quantity& quantity, F onLeave) {
    QLineEdit* edit = field(parent, name, onLeave);
    checkNumber(edit, quantity);
    return edit;
}

/// Runs `onEdit` when `edit` loses the focus (or Return is pressed) after the user changed its text.
/// Passing through a box, by Tab or a click, or typing its text again stores nothing: the shown text of
/// a value can be shorter than the value.
template <typename F> void whenEdited(QLineEdit* edit, QObject* receiver, F onEdit) {
    rememberShownText(edit);
    QObject::connect(edit, &QLineEdit::editingFinished, receiver, [edit, onEdit] {
        if (refuseTypedText(edit)) return;
        if (takeUserEdit(edit)) onEdit();
    });
}

/// The same for a number box of `quantity`: a refused text never reaches `onEdit`.
template <typename F>
void whenEdited(QLineEdit* edit, QObject* receiver, const Quantity& quantity, F onEdit) {
    whenEdited(edit, receiver, onEdit);
    checkNumber(edit, quantity);
}

/// Sets the tab order to follow `widgets` in turn.
inline void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace form

} // namespace vededa
