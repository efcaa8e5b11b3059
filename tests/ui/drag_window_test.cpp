#include "scripted_dialogs.h"

#include "ui/drag_input_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

void setTable(DragTable& t, std::initializer_list<float> machs) {
    t.count = static_cast<int16_t>(machs.size());
    int r = 1;
    for (float m : machs) {
        t.mach[r] = m;
        t.value[r] = 0.1f * static_cast<float>(r);
        ++r;
    }
}

} // namespace

class DragWindowTest : public QObject {
    Q_OBJECT

    ProjectData project;
    ScriptedDialogs dialogs;
    std::unique_ptr<DragInputWindow> window;

    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    void leave(const QString& name, const QString& text) {
        edit(name)->setText(text);
        edit(name)->setModified(true); // as typed by the user
        emit edit(name)->editingFinished();
    }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        setTable(project.k1Table, {0.0f, 1.0f});
        setTable(project.k2Table, {});
        setTable(project.cd0Table, {0.0f, 0.8f, 1.2f});
        window = std::make_unique<DragInputWindow>(project, dialogs);
        window->open();
    }

    void showsCountsAndOnlyTheUsedRows() {
        QCOMPARE(edit("txtK1Count")->text(), QString("2"));
        QCOMPARE(edit("txtCD0Mach_3")->text(), QString("1.2"));
        QVERIFY(!edit("txtCD0Mach_3")->isHidden());
        QVERIFY(edit("txtCD0Mach_4")->isHidden());
        QVERIFY(edit("txtK2Mach_1")->isHidden());
        vededa::test::saveShot(*window, "drag-window");
    }

    void countRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("warned");
        // A count is a whole number from 0 to 11; anything else is refused in the box (red frame, reason
        // in the status bar) and the table keeps its 2 points. A count above 11 also gets the warning box.
        QTest::newRow("whole") << "5" << 5 << false << false;
        QTest::newRow("11") << "11" << 11 << false << false;
        QTest::newRow("11.4 refused") << "11.4" << 2 << true << true;
        QTest::newRow("12 refused") << "12" << 2 << true << true;
        QTest::newRow("not a number") << "abc" << 2 << true << false;
        QTest::newRow("negative") << "-3" << 2 << true << false;
    }
    void countRules() {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(bool, refused);
        QFETCH(bool, warned);
        leave("txtK1Count", typed);
        QCOMPARE(int(project.k1Table.count), count);
        QCOMPARE(dialogs.texts("message") == std::vector<std::string>{"Maximum number of points is 11"},
                 warned);
        QCOMPARE(dialogs.texts("message").empty(), !warned);
        QCOMPARE(edit("txtK1Count")->property("refused").toBool(), refused);
        QCOMPARE(edit("txtK1Count")->text(), refused ? typed : QString::number(count));
        for (int r = 1; r <= kMaxDragPoints; ++r)
            QCOMPARE(!edit(QString("txtK1Mach_%1").arg(r))->isHidden(), r <= count);
    }

    void fieldsAreStoredWhenLeft() {
        leave("txtK1Mach_2", "1.5");
        leave("txtK1Value_2", "-0.25");
        QCOMPARE(project.k1Table.mach[2], 1.5f);
        QCOMPARE(project.k1Table.value[2], -0.25f);
        // Letters are refused, never read as a number.
        leave("txtK1Mach_2", "1.7x");
        QCOMPARE(project.k1Table.mach[2], 1.5f);
        QVERIFY(edit("txtK1Mach_2")->property("refused").toBool());
    }

    void doneChecksInOrder_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("1 K1 count") << 1 << "Can not have less than two K1 data points";
        QTest::newRow("2 K1 Mach") << 2 << "Mach number must increase between K1 data points";
        QTest::newRow("3 K2 Mach") << 3 << "Mach number must increase between K2 data points";
        QTest::newRow("4 CD0 count") << 4 << "Can not have less than two CD0 data points";
        QTest::newRow("5 CD0 Mach") << 5 << "Mach number must increase between CD0 data points";
    }
    void doneChecksInOrder() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        // Every later fault is present too, so only the order picks the message.
        if (fault <= 2)
            setTable(project.k1Table, fault == 1 ? std::initializer_list<float>{0.5f}
                                                 : std::initializer_list<float>{0.0f, 0.9f, 0.9f});
        if (fault <= 3) setTable(project.k2Table, {0.5f, 0.4f});
        if (fault <= 4) setTable(project.cd0Table, {1.0f});
        if (fault == 5) setTable(project.cd0Table, {0.0f, 1.0f, 0.5f});
        window->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(dialogs.texts("message"), std::vector<std::string>{message.toStdString()});
        QCOMPARE(dialogs.shown[0].title, std::string("Vededa"));
        QVERIFY(window->isVisible());
    }

    void doneAcceptsUsableTablesAndCloses() {
        setTable(project.k2Table, {0.3f}); // one K2 point is allowed
        QVERIFY(window->done());
        QVERIFY(dialogs.shown.empty());
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(DragWindowTest)
#include "drag_window_test.moc"
