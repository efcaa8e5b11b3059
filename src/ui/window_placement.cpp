#include "ui/window_placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vededa {

namespace {

/// Settings group of the remembered window geometries.
constexpr const char* kWindowsGroup = "windows/";
/// Object name of the scroll area that holds a long form.
constexpr const char* kFormScrollName = "formScroll";

/// A program window whose place is remembered: a named top-level window that is not a passing
/// dialog (message boxes, file dialogs and input boxes open where their owner is).
bool remembered(const QWidget* w) {
    return !w->objectName().isEmpty() && !qobject_cast<const QDialog*>(w);
}

bool placed(const QWidget* w) {
    const Qt::WindowType type = w->windowType();
    return w->isWindow() && (type == Qt::Window || type == Qt::Dialog);
}

/// Turns a close of its window into a click of the Done button.
class CloseAsDone : public QObject {
  public:
    CloseAsDone(QWidget* window, QAbstractButton* done) : QObject(window), done_(done) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        event->ignore();
        done_->click();
        return true;
    }

  private:
    QAbstractButton* done_;
};

} // namespace

void closeBoxRunsDone(QWidget* window, QAbstractButton* done) {
    if (!window || !done) return;
    window->installEventFilter(new CloseAsDone(window, done));
}

QRect clampedGeometry(QRect window, QRect available, QSize frameExtra, int titleBar) {
    const QSize largest(std::max(1, available.width() - frameExtra.width()),
                        std::max(1, available.height() - frameExtra.height()));
    window.setSize(window.size().boundedTo(largest));
    // The frame around the client area: the title bar above, the rest shared by the other sides.
    const int side = frameExtra.width() / 2;
    const int left = available.left() + side;
    const int top = available.top() + titleBar;
    const int right = available.left() + available.width() - (frameExtra.width() - side);
    const int bottom = available.top() + available.height() - (frameExtra.height() - titleBar);
    // The top-left corner wins when even the shrunk window is larger than the screen.
    window.moveTo(std::max(left, std::min(window.x(), right - window.width())),
                  std::max(top, std::min(window.y(), bottom - window.height())));
    return window;
}

void makeScrollable(QWidget* window) {
    QLayout* layout = window->layout();
    if (!layout || window->findChild<QScrollArea*>(kFormScrollName, Qt::FindDirectChildrenOnly)) return;
    auto* content = new QWidget;
    content->setObjectName("formContent");
    // The layout moves to the content widget with every widget it manages.
    content->setLayout(layout);
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(kFormScrollName);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    window->setProperty("scrollableForm", true);
}

namespace {

/// The size a scrollable form opens at: that of its contents, with room for a scroll bar; the scroll
/// area alone would propose a small one.
void openAtContentSize(QWidget* window) {
    auto* scroll = window->findChild<QScrollArea*>(kFormScrollName, Qt::FindDirectChildrenOnly);
    if (!scroll || !scroll->widget()) return;
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    window->resize(scroll->widget()->sizeHint() + QSize(bar + 2, bar + 2));
}

} // namespace

WindowPlacement::WindowPlacement(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

WindowPlacement::~WindowPlacement() {
    if (qApp) qApp->removeEventFilter(this);
}

void WindowPlacement::clampToScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QSize extra(frame.width() - client.width(), frame.height() - client.height());
    const int titleBar = client.top() - frame.top();
    const QRect wanted = clampedGeometry(client, screen->availableGeometry(), extra, titleBar);
    if (wanted.size() != client.size()) window->resize(wanted.size());
    // move() places the frame.
    if (wanted.topLeft() != client.topLeft())
        window->move(wanted.topLeft() - (client.topLeft() - frame.topLeft()));
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && placed(w)) {
        if (remembered(w) && restored_.insert(w->objectName()).second) {
            const QByteArray geometry =
                QSettings("Vededa", "Vededa").value(kWindowsGroup + w->objectName()).toByteArray();
            if (!geometry.isEmpty())
                w->restoreGeometry(geometry);
            else if (w->property("scrollableForm").toBool())
                openAtContentSize(w);
        }
        clampToScreen(w);
    } else if (event->type() == QEvent::Hide && placed(w) && remembered(w) &&
               restored_.count(w->objectName())) {
        QSettings("Vededa", "Vededa").setValue(kWindowsGroup + w->objectName(), w->saveGeometry());
    }
    return false;
}

} // namespace vededa
