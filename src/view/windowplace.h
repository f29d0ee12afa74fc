#ifndef SCHEDULE_WINDOWPLACE_H
#define SCHEDULE_WINDOWPLACE_H

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <optional>

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

} // namespace WindowPlace

#endif
