#include "ui/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
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

QWidget* QtUserDialogs::owner() const {
    // A box belongs to the window the user is working in, so it never raises another window over it.
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

std::string withDefaultExtension(const std::string& path, const std::string& filter) {
    if (path.empty()) return path;
    const QFileInfo info(qs(path));
    if (info.fileName().contains('.')) return path;
    const QStringList parts = qs(filter).split('|');
    if (parts.size() < 2) return path;
    const QString pattern = parts[1].split(';').front().trimmed();
    if (!pattern.startsWith("*.") || pattern == "*.*") return path;
    return path + pattern.mid(1).toStdString();
}

std::string chooseSaveFile(UserDialogs& dialogs, const std::string& title, const std::string& filter,
                           const std::string& proposed) {
    std::string name = proposed;
    for (;;) {
        const std::string chosen = withDefaultExtension(dialogs.saveFile(title, filter, name), filter);
        if (chosen.empty()) return chosen;
        if (!QFileInfo::exists(qs(chosen))) return chosen;
        const std::string shown = QFileInfo(qs(chosen)).fileName().toStdString();
        if (dialogs.ask(title, shown + " already exists.\nDo you want to replace it?", true)) return chosen;
        name = chosen;
    }
}

void QtUserDialogs::message(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), qs(title), qs(text), QMessageBox::Ok, owner());
    box.exec();
}

bool QtUserDialogs::ask(const std::string& title, const std::string& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserDialogs::input(const std::string& title, const std::string& prompt,
                                                const std::string& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner(), qs(title), qs(prompt), QLineEdit::Normal, qs(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::string QtUserDialogs::openFile(const std::string& title, const std::string& filter) {
    return QFileDialog::getOpenFileName(owner(), qs(title), QString(), qs(qtFileFilter(filter)), nullptr,
                                        QFileDialog::DontUseNativeDialog)
        .toStdString();
}

std::string QtUserDialogs::saveFile(const std::string& title, const std::string& filter,
                                    const std::string& proposed) {
    // The replace question and the default extension come from chooseSaveFile, after the extension is
    // known.
    return QFileDialog::getSaveFileName(owner(), qs(title), qs(proposed), qs(qtFileFilter(filter)), nullptr,
                                        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite)
        .toStdString();
}

SaveChoice QtUserDialogs::askSaveChanges(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, qs(title), qs(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Save) return SaveChoice::Save;
    if (answer == QMessageBox::Discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

bool QtUserDialogs::printerSetup(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    dialog.setWindowTitle("Printer Setup");
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vededa
