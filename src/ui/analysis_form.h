#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <initializer_list>

#include <string>

class QWidget;

namespace vededa {

/// Small helpers the analysis windows share: their text boxes commit when they lose the focus.
namespace form {

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
