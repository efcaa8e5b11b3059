#pragma once

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <initializer_list>

#include <string>

class QWidget;

namespace vededa {

/// Small helpers the windows share: text boxes that commit when they lose the focus, and the fixed-pitch
/// report views.
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

/// Keeps the text a box showed when the user entered it (property "shownText").
class ShownTextKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusIn && !edit->isModified())
            edit->setProperty("shownText", edit->text());
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
        }
        return false;
    }
};

/// Remembers the text `edit` showed when the user entered it, so that a commit can tell a typed change
/// from text typed back to what was shown.
inline void rememberShownText(QLineEdit* edit) {
    edit->installEventFilter(new ShownTextKeeper(edit));
}

/// True when the user changed the text of `edit` since the window last filled it; clears the mark.
inline bool takeUserEdit(QLineEdit* edit) {
    if (!edit->isModified()) return false;
    edit->setModified(false);
    const QVariant shown = edit->property("shownText");
    const bool changed = !shown.isValid() || edit->text() != shown.toString();
    edit->setProperty("shownText", edit->text());
    return changed;
}

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
        if (takeUserEdit(edit)) onLeave();
    });
    return edit;
}

/// Runs `onEdit` when `edit` loses the focus (or Return is pressed) after the user changed its text.
/// Passing through a box, by Tab or a click, or typing its text again stores nothing: the shown text of
/// a value can be shorter than the value.
template <typename F> void whenEdited(QLineEdit* edit, QObject* receiver, F onEdit) {
    rememberShownText(edit);
    QObject::connect(edit, &QLineEdit::editingFinished, receiver, [edit, onEdit] {
        if (takeUserEdit(edit)) onEdit();
    });
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
