#ifndef SCHEDULE_DRAWNICON_H
#define SCHEDULE_DRAWNICON_H

#include <QIcon>
#include <QPixmap>
#include <QString>

// The panel's SVG icons (":/pics/bell.svg"). At their 20 pixels and at twice that they come from
// the pictures drawn when the program was built (iconrasters), so that the panel shows them
// without loading Qt's SVG module; at any other size, and in any mode but the normal one, from the
// SVG, as before.
namespace DrawnIcon {
// What QIcon(svgPath) shows.
QIcon icon(const QString &svgPath);
// The icon at its 20 device-independent pixels for `ratio`, antialiased on transparent, as
// QSvgRenderer draws it over the whole pixmap.
QPixmap pixmap(const QString &svgPath, qreal ratio);
} // namespace DrawnIcon

#endif
