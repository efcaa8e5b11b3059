#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <set>

class QAbstractButton;
class QWidget;

namespace vededa {

/// The client area a window `window` gets on a screen whose free area is `available`: shrunk to fit and
/// moved so that the whole window, with its frame (`frameExtra`: the frame's width and height beyond
/// the client area, `titleBar` of it above), lies on the screen. A window that cannot shrink enough
/// keeps its top-left corner on the screen.
QRect clampedGeometry(QRect window, QRect available, QSize frameExtra, int titleBar);

/// Wraps the window's contents in a scroll area, so that a long form can shrink to a small screen and
/// still reach every field; the window's first size is that of its contents, as far as the screen
/// allows.
void makeScrollable(QWidget* window);

/// The window's close box does what its Done button does (the checks it makes, the window it returns
/// to), so that closing a window never strands the user or skips a check.
void closeBoxRunsDone(QWidget* window, QAbstractButton* done);

/// Remembers the size and position of every program window (settings "windows/NAME") and keeps every
/// window fully on its screen when it is shown: a remembered geometry that no longer fits, a window
/// larger than a small or scaled screen, a window opened below the screen edge.
class WindowPlacement : public QObject {
    Q_OBJECT
  public:
    explicit WindowPlacement(QObject* parent = nullptr);
    ~WindowPlacement() override;

    /// Puts `window` fully on its screen now.
    static void clampToScreen(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::set<QString> restored_; ///< windows whose remembered geometry was put back
};

} // namespace vededa
