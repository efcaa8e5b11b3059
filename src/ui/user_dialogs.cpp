#include "ui/user_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace vededa {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::string qtFileFilter(const std::string& filter) {
    const QStringList parts = qs(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // Qt takes the patterns from the parentheses of the description. Names are matched without
        // regard to case, and "*.*" means any file here, also one without an extension.
        QString pattern = parts[i + 1] == "*.*" ? QString("*") : parts[i + 1];
        pattern.replace(';', ' ');
        QString description = parts[i];
        const int paren = description.indexOf('(');
        if (paren >= 0) description = description.left(paren).trimmed();
        out << description + " (" + pattern + ")";
    }
    return out.join(";;").toStdString();
}

void QtUserDialogs::message(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), qs(title), qs(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtUserDialogs::ask(const std::string& title, const std::string& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserDialogs::input(const std::string& title, const std::string& prompt,
                                                const std::string& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, qs(title), qs(prompt), QLineEdit::Normal, qs(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::string QtUserDialogs::openFile(const std::string& title, const std::string& filter) {
    return QFileDialog::getOpenFileName(parent_, qs(title), QString(), qs(qtFileFilter(filter)), nullptr,
                                        QFileDialog::DontUseNativeDialog)
        .toStdString();
}

std::string QtUserDialogs::saveFile(const std::string& title, const std::string& filter) {
    return QFileDialog::getSaveFileName(parent_, qs(title), QString(), qs(qtFileFilter(filter)), nullptr,
                                        QFileDialog::DontUseNativeDialog)
        .toStdString();
}

bool QtUserDialogs::printerSetup(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle("Printer Setup");
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vededa
