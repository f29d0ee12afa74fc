#ifndef SCHEDULE_WINDOWPLACE_H
#define SCHEDULE_WINDOWPLACE_H

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <optional>

class QScreen;
class QTimer;
class QWidget;

// Where the user left the main window, kept across starts in a small file of its own.
namespace WindowPlace {

// main() names the file, beside the data file; until then nothing is read or written.
void setFile(const QString &path);
// On unless switched off: off, the window starts at its first place and keeps none.
void setKeeping(bool keep);
[[nodiscard]] bool keeping();

// None on the first start, while keeping is off, or when the file cannot be read (one warning).
[[nodiscard]] std::optional<QPoint> kept();
// Replaces the file atomically; false (and one warning) when it cannot. Keeping off or no file
// named: nothing to write.
bool keep(const QPoint &place);

// Less of the window than this on a screen cannot be found and grabbed again; the rows of
// tst_mainwindow's placeOnScreens depend on 40.
constexpr int minimumGrabbableSide = 40;

// Where a window kept at `window` goes on the screens' available areas: where it was, while a
// grabbable part of it is on one of them; otherwise the nearest place that puts it whole on the
// nearest screen (its top-left part, when it is larger than that screen).
[[nodiscard]] QPoint onScreens(const QRect &window, const QVector<QRect> &screens);

// Where a window of `size` goes beside the panel on `screen`: to its right, level with it or as
// high as a panel low on the screen leaves room for; else to its left; else in the middle. Beside
// rather than over it: two tints over each other read badly.
[[nodiscard]] QPoint beside(const QRect &panel, const QSize &size, const QRect &screen);

// Keeps a window at the user's place while screens come, go and change size: there whenever
// onScreens() allows it, otherwise at the nearest place on a screen, and back once the user's screen
// is back. At login a second monitor often appears after the widget has started. The place chosen
// for want of a screen is never the user's: only setUserPlace() (a drag) changes that.
class Follower : public QObject
{
public:
    Follower(QWidget *window, const QPoint &userPlace);

    [[nodiscard]] QPoint userPlace() const { return user; }
    // Where a drag has put the window.
    void setUserPlace(const QPoint &place) { user = place; }
    // Moves the window to the user's place, or as near as the screens allow.
    void follow();

private:
    void watch(QScreen *screen);

    QWidget *window;
    QPoint user;
    // Plugging a monitor in comes as several changes at once; the window moves once, after them.
    QTimer *settle;
};

} // namespace WindowPlace

#endif
