#include "ui/about_dialog.h"

#include "app/build_info.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace vededa {

QString aboutText() {
    // The program sets its version with the source revision it was built from (main.cpp).
    QString version = QCoreApplication::applicationVersion();
    if (!version.startsWith(QString::fromLatin1(programVersion()))) version = programVersion();
    return QString("<h3>Vededa %1</h3>"
                   "<p>Preliminary sizing of an aircraft and its propulsion system: constraint analysis, "
                   "mission analysis, engine cycle deck and performance contours.</p>"
                   "<p>Built with Qt %2, running on Qt %3</p>"
                   "<p><b>Libraries used and their licenses</b></p>"
                   "<ul>"
                   "<li>Qt 6 (Core, Gui, Widgets, PrintSupport): GNU Lesser General Public License "
                   "version 3 (LGPLv3), linked dynamically from the system's libraries</li>"
                   "<li>CLI11 (command line of vededa-cli): BSD 3-Clause License</li>"
                   "<li>GNU C++ standard library (libstdc++): GNU General Public License version 3 with "
                   "the GCC Runtime Library Exception</li>"
                   "</ul>"
                   "<p>GoogleTest and Google Benchmark (BSD 3-Clause, Apache 2.0) are used to test the "
                   "program and are not part of it.</p>")
        .arg(version, QString::fromLatin1(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle("About Vededa");
    auto* icon = new QLabel(this);
    icon->setObjectName("imgAboutIcon");
    icon->setPixmap(QIcon::fromTheme("vededa", QIcon(":/vededa/vededa.png")).pixmap(96, 96));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(aboutText(), this);
    text->setObjectName("lblAbout");
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(460);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* aboutQt = buttons->addButton("About &Qt", QDialogButtonBox::HelpRole);
    aboutQt->setObjectName("cmdAboutQt");
    connect(aboutQt, &QPushButton::clicked, this, [] { QApplication::aboutQt(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace vededa
