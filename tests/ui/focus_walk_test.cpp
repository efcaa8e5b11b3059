#include "scripted_dialogs.h"

#include "app/project_history.h"
#include "ui/desktop_application.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

/// A user walks with Tab through every field of every constraint and mission leg of the bundled
/// projects, passing by, typing a field's text back, or typing a new value. Nothing changes in the
/// project unless a new value was typed, and that change is undone exactly.
class FocusWalkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DesktopApplication> app;

    enum class Typing { None, SameText, TypedAndErased };

    ProjectData& project() { return app->project(); }
    ProjectDocument& document() { return app->mainWindow().document(); }

    /// Shows the item `row` of the window's list by a click, as the user would.
    static void clickRow(QListWidget* list, int row) {
        QListWidgetItem* item = list->item(row);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    /// Tabs once round the window from its list; in each text box on the way does what `typing` says.
    /// Returns the number of text boxes passed.
    int tabRound(QWidget* list, Typing typing) {
        list->setFocus();
        QApplication::processEvents();
        int boxes = 0;
        for (int step = 0; step < 120; ++step) {
            QWidget* focused = QApplication::focusWidget();
            if (!focused) break;
            QTest::keyClick(focused, Qt::Key_Tab);
            QApplication::processEvents();
            QWidget* now = QApplication::focusWidget();
            if (!now || now == list) break;
            if (auto* edit = qobject_cast<QLineEdit*>(now); edit && edit->isVisible()) {
                ++boxes;
                if (typing == Typing::SameText) {
                    const QString shown = edit->text();
                    edit->selectAll();
                    QTest::keyClicks(edit, shown);
                } else if (typing == Typing::TypedAndErased) {
                    edit->end(false);
                    QTest::keyClicks(edit, "7");
                    QTest::keyClick(edit, Qt::Key_Backspace);
                }
            }
        }
        return boxes;
    }

    void walkEveryItem(const char* file, bool mission) {
        QVERIFY(app->mainWindow().openProjectFile(std::string(VEDEDA_TEST_DATA_DIR) + "/" + file));
        QWidget& window = mission ? static_cast<QWidget&>(app->missionWindow()) : app->constraintWindow();
        if (mission)
            app->missionWindow().open();
        else
            app->constraintWindow().open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* list = window.findChild<QListWidget*>("List1");
        const int count = mission ? project().legCount : project().constraintCount;
        QVERIFY(count > 0);
        const std::string before = inputFingerprint(project());
        for (Typing typing : {Typing::None, Typing::SameText, Typing::TypedAndErased}) {
            for (int row = 0; row < count; ++row) {
                clickRow(list, row);
                QCOMPARE(int(mission ? project().currentLeg : project().currentConstraint), row + 1);
                const int boxes = tabRound(list, typing);
                QVERIFY2(boxes >= 4,
                         qPrintable(QString("%1 item %2: %3 boxes").arg(file).arg(row + 1).arg(boxes)));
                QVERIFY2(inputFingerprint(project()) == before,
                         qPrintable(QString("%1 %2 %3 changed by walking (typing %4)")
                                        .arg(file)
                                        .arg(mission ? "leg" : "constraint")
                                        .arg(row + 1)
                                        .arg(int(typing))));
            }
        }
        QCOMPARE(document().undoStack().count(), 0);
        QVERIFY(!app->mainWindow().isWindowModified());

        // A new value typed into the first parameter of the last item changes the project; undo gives
        // the bytes back.
        clickRow(list, count - 1);
        auto* first = window.findChild<QLineEdit*>("txtParameter_1");
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "0.5"); // a weight fraction or an altitude
        QTest::keyClick(first, Qt::Key_Tab);
        QApplication::processEvents();
        QVERIFY(inputFingerprint(project()) != before);
        QVERIFY(app->mainWindow().isWindowModified());
        // Ctrl+Z in the next box, which has no typing of its own, undoes the project's change.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QApplication::processEvents();
        QCOMPARE(inputFingerprint(project()), before);
        QVERIFY(!app->mainWindow().isWindowModified());
    }

  private slots:
    void init() {
        dialogs = std::make_unique<ScriptedDialogs>();
        app = std::make_unique<DesktopApplication>(*dialogs);
        app->mainWindow().show();
    }
    void cleanup() {
        app.reset();
        dialogs.reset();
    }

    void engineWindowsWalk() {
        QVERIFY(app->mainWindow().openProjectFile(std::string(VEDEDA_TEST_DATA_DIR) + "/Vededa_deck.RUZ"));
        const std::string before = inputFingerprint(project());
        for (QWidget* window : {static_cast<QWidget*>(&app->engineDataWindow()),
                                static_cast<QWidget*>(&app->engineTestWindow())}) {
            if (window == &app->engineDataWindow())
                app->engineDataWindow().open();
            else
                app->engineTestWindow().open();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            auto* first = window->findChild<QLineEdit*>("Text1");
            for (Typing typing : {Typing::None, Typing::SameText, Typing::TypedAndErased}) {
                const int boxes = tabRound(first, typing);
                QVERIFY2(boxes >= 8,
                         qPrintable(QString("%1: %2 boxes").arg(window->objectName()).arg(boxes)));
                QVERIFY2(inputFingerprint(project()) == before,
                         qPrintable(QString("%1 changed by walking (typing %2)")
                                        .arg(window->objectName())
                                        .arg(int(typing))));
            }
            window->hide();
        }
        QCOMPARE(document().undoStack().count(), 0);
    }

    void walk_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("mission");
        QTest::newRow("default project, constraints") << "Vededa.RUZ" << false;
        QTest::newRow("default project, legs") << "Vededa.RUZ" << true;
        QTest::newRow("cycle-deck project, constraints") << "Vededa_deck.RUZ" << false;
        QTest::newRow("cycle-deck project, legs") << "Vededa_deck.RUZ" << true;
    }
    void walk() {
        QFETCH(QString, file);
        QFETCH(bool, mission);
        walkEveryItem(file.toUtf8().constData(), mission);
    }
};

QTEST_MAIN(FocusWalkTest)
#include "focus_walk_test.moc"
