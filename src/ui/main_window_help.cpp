// The main window's Help menu and its caption.
#include "app/build_info.h"
#include "ui/about_dialog.h"
#include "ui/main_window.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace vededa {

QString mainWindowTitle(const std::string& projectPath) {
    const QString caption = QString("Vededa - Vededa Analysis - Version %1").arg(programVersion());
    if (projectPath.empty()) return caption;
    return QFileInfo(QString::fromStdString(projectPath)).fileName() + "[*] - " + caption;
}

void MainWindow::updateWindowTitle() {
    setWindowTitle(mainWindowTitle(project_.projectPath));
}

void MainWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    QAction* manual = help->addAction("&Manual");
    manual->setObjectName("mnuHelpItem_0");
    manual->setShortcut(QKeySequence::HelpContents);
    manual->setShortcutContext(Qt::ApplicationShortcut);
    connect(manual, &QAction::triggered, this, &MainWindow::showManual);
    QAction* about = help->addAction("&About Vededa");
    about->setObjectName("mnuHelpItem_1");
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    urlOpener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void MainWindow::showManual() {
    if (manualPath_.isEmpty() || !QFileInfo(manualPath_).isFile()) {
        dialogs_.message(kMainTitle,
                         "The user manual is not installed. It is docs/manual.md in the source folder and "
                         "share/doc/vededa/ in an installed Vededa.",
                         MessageIcon::Warning);
        return;
    }
    if (!urlOpener_ || !urlOpener_(QUrl::fromLocalFile(manualPath_)))
        dialogs_.message(kMainTitle,
                         "No program was found to show the manual. Open " + manualPath_.toStdString() +
                             " in a web browser or text viewer.",
                         MessageIcon::Warning);
}

void MainWindow::showAbout() {
    auto* box = findChild<AboutDialog*>();
    if (!box) box = new AboutDialog(this);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace vededa
