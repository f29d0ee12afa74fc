// Draws the panel's SVG icons when the program is built and writes them out as C++ arrays of
// premultiplied ARGB pixels, one for each icon and pixel size, with drawnIconImage() to look them
// up (iconrasters.h). The panel then shows them without loading Qt's SVG module.
// iconrasters OUTPUT.cpp SIZE,SIZE... FILE.svg...
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {
// As the panel drew them from the SVG: on a transparent square, antialiased, the whole view box.
QImage draw(QSvgRenderer &svg, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: iconrasters OUTPUT.cpp SIZE,SIZE... FILE.svg...\n");
        return 2;
    }
    QList<int> sizes;
    for (const QString &size : args.at(2).split(QLatin1Char(',')))
        sizes << size.toInt();

    QString arrays;
    QString table;
    QTextStream a(&arrays);
    QTextStream t(&table);
    int count = 0;
    for (const QString &file : args.mid(3)) {
        QSvgRenderer svg(file);
        if (!svg.isValid()) {
            std::fprintf(stderr, "iconrasters: %s is no SVG\n", qPrintable(file));
            return 1;
        }
        const QString name = QFileInfo(file).fileName();
        for (const int pixels : sizes) {
            const QImage image = draw(svg, pixels);
            a << "alignas(16) const uint raster" << count << "[] = {";
            for (int y = 0; y < pixels; ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < pixels; ++x)
                    a << (x + y ? "," : "") << ((x % 8) ? "" : "\n    ") << "0x" << Qt::hex << line[x]
                      << Qt::dec;
            }
            a << "};\n";
            t << "    {\":/pics/" << name << "\", " << pixels << ", raster" << count << "},\n";
            ++count;
        }
    }

    QFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return 1;
    QTextStream o(&out);
    o << "// Written by iconrasters when the program was built; not to be edited.\n"
         "#include \"iconrasters.h\"\n\n"
         "#include <cstring>\n\n"
         "namespace {\n"
      << arrays
      << "struct Raster\n{\n    const char *path;\n    int pixels;\n    const uint *pixel;\n};\n"
         "const Raster rasters[] = {\n"
      << table
      << "};\n} // namespace\n\n"
         "QImage drawnIconImage(const QString &svgPath, int pixels)\n{\n"
         "    const QByteArray path = svgPath.toUtf8();\n"
         "    for (const Raster &raster : rasters) {\n"
         "        if (raster.pixels == pixels && std::strcmp(raster.path, path.constData()) == 0)\n"
         "            return QImage(reinterpret_cast<const uchar *>(raster.pixel), pixels, pixels, pixels * "
         "4,\n"
         "                          QImage::Format_ARGB32_Premultiplied);\n"
         "    }\n"
         "    return QImage();\n"
         "}\n";
    return 0;
}
