#ifndef ICONRASTERS_H
#define ICONRASTERS_H

#include <QImage>
#include <QString>

// An icon of the resources (":/pics/bell.svg") as drawn from its SVG when the program was built, at
// `pixels` square: antialiased on transparent, premultiplied, over data that lives as long as the
// program. Null where it was not drawn at that size.
QImage drawnIconImage(const QString &svgPath, int pixels);

#endif
