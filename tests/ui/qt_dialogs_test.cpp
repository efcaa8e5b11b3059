#include "ui/user_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vededa;

namespace {

/// Answers the next modal dialog with `act`; any modal dialog still open after two seconds is
/// rejected, so a test can never hang on one.
class ModalWatcher {
  public:
    explicit ModalWatcher(std::function<void(QWidget*)> act) : act_(std::move(act)) {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (clock_.elapsed() > 2000) {
                if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
                return;
            }
            if (!done_) {
                done_ = true;
                act_(modal);
            }
        });
        timer_.start(20);
    }
    bool acted() const { return done_; }

  private:
    std::function<void(QWidget*)> act_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool done_ = false;
};

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void askDefaultsAndAnswers_data() {
        QTest::addColumn<bool>("defaultNo");
        QTest::addColumn<bool>("pressEnter"); // Enter takes the default button
        QTest::addColumn<bool>("yes");
        QTest::newRow("No is the default") << true << true << false;
        QTest::newRow("Yes is the default") << false << true << true;
        QTest::newRow("Yes clicked") << true << false << true;
    }
    void askDefaultsAndAnswers() {
        QFETCH(bool, defaultNo);
        QFETCH(bool, pressEnter);
        QFETCH(bool, yes);
        QtUserDialogs dialogs;
        QString title;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            if (pressEnter)
                box->defaultButton()->click();
            else
                box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(
            dialogs.ask("Aircraft Systems Analysis", "Do you really want to quit this program?", defaultNo),
            yes);
        QVERIFY(watcher.acted());
        QCOMPARE(title, QString("Aircraft Systems Analysis"));
    }

    void inputReturnsTheTextOrNothing() {
        QtUserDialogs dialogs;
        {
            ModalWatcher watcher([](QWidget* modal) {
                auto* box = qobject_cast<QInputDialog*>(modal);
                QVERIFY(box);
                QCOMPARE(box->textValue(), QString("1"));
                QCOMPARE(box->labelText(), QString("Throttle Ratio (=>1.0)"));
                box->setTextValue("1.07");
                box->accept();
            });
            QCOMPARE(dialogs.input("Engine TR", "Throttle Ratio (=>1.0)", "1"),
                     std::optional<std::string>("1.07"));
        }
        {
            ModalWatcher watcher([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
            QCOMPARE(dialogs.input("Engine TR", "Throttle Ratio (=>1.0)", "1"), std::nullopt);
        }
    }

    void openFileTakesATypedName() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Vededa.RUZ");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QtUserDialogs dialogs;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(edit);
            edit->setText(path);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(QString::fromStdString(dialogs.openFile("Open", "Vededa Files (*.RUZ)|*.RUZ")), path);
    }
};

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
