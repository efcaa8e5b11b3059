#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

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

/// A read-only, unwrapped fixed-pitch text view named `name`, at least `columns` characters wide and
/// `lines` lines high.
inline QPlainTextEdit* reportView(QWidget* parent, const QString& name, int columns, int lines) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont font = fixedPitchFont();
    view->setFont(font);
    const QFontMetrics metrics(font);
    view->setMinimumWidth(metrics.horizontalAdvance(QString(columns, 'M')));
    view->setMinimumHeight(metrics.lineSpacing() * lines);
    return view;
}

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

/// A text box named `name`; `onLeave` runs when it loses the focus (or Return is pressed) after the user
/// changed its text.
template <typename F> QLineEdit* field(QWidget* parent, const QString& name, F onLeave) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(80);
    // Only a text the user changed is stored: the shown text of a value can be shorter than the value,
    // so passing through a box must not round what it shows.
    QObject::connect(edit, &QLineEdit::editingFinished, parent, [edit, onLeave] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        onLeave();
    });
    return edit;
}

/// Runs `onEdit` when `edit` loses the focus (or Return is pressed) after the user changed its text.
/// Passing through a box, by Tab or a click, stores nothing: the shown text of a value can be shorter
/// than the value.
template <typename F> void whenEdited(QLineEdit* edit, QObject* receiver, F onEdit) {
    QObject::connect(edit, &QLineEdit::editingFinished, receiver, [edit, onEdit] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        onEdit();
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
