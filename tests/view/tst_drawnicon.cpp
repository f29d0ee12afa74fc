#include "drawnicon.h"

#include <QIcon>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

namespace {
const QStringList shownIcons{"homepage", "edit",   "setting", "warn", "close",
                             "bell",     "repeat", "timer",   "pin",  "hot"};

QString pathOf(const QString &name)
{
    return QStringLiteral(":/pics/%1.svg").arg(name);
}

// What the task items drew before: the renderer over a transparent pixmap, antialiased.
QImage rendered(const QString &name, qreal ratio)
{
    QPixmap pixmap(QSize(20, 20) * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer svg(pathOf(name));
    svg.render(&painter);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A button's icon painted as ZButtonBoxButton paints it, on a device of `ratio`.
QImage painted(const QIcon &icon, const QSize &area, qreal ratio, QIcon::Mode mode, QIcon::State state)
{
    QPixmap pixmap(area * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    icon.paint(&painter, QRect(QPoint(), area), Qt::AlignCenter, mode, state);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
} // namespace

class TestDrawnIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pixmapAsRendered_data();
    void pixmapAsRendered();
    void iconAsTheSvgIcon_data();
    void iconAsTheSvgIcon();
};

void TestDrawnIcon::pixmapAsRendered_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");

    // 1 and 2 come drawn with the program, 1.5 from the SVG.
    for (const QString &name : shownIcons) {
        for (const qreal ratio : {1.0, 2.0, 1.5})
            QTest::addRow("%s at %.1f", qPrintable(name), ratio) << name << ratio;
    }
}

void TestDrawnIcon::pixmapAsRendered()
{
    QFETCH(QString, name);
    QFETCH(qreal, ratio);

    const QPixmap pixmap = DrawnIcon::pixmap(pathOf(name), ratio);
    QCOMPARE(pixmap.devicePixelRatioF(), ratio);
    QCOMPARE(pixmap.size(), QSize(20, 20) * ratio);
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    QCOMPARE(image, rendered(name, ratio));
}

void TestDrawnIcon::iconAsTheSvgIcon_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("modeValue");  // QIcon::Mode
    QTest::addColumn<int>("stateValue"); // QIcon::State

    for (const QString &name : shownIcons) {
        const QByteArray n = name.toLatin1();
        QTest::addRow("%s, button", n.constData())
            << name << QSize(20, 20) << 1.0 << int(QIcon::Normal) << int(QIcon::Off);
        QTest::addRow("%s, checked", n.constData())
            << name << QSize(20, 20) << 1.0 << int(QIcon::Normal) << int(QIcon::On);
        QTest::addRow("%s, scale 2", n.constData())
            << name << QSize(20, 20) << 2.0 << int(QIcon::Normal) << int(QIcon::Off);
        QTest::addRow("%s, scale 1.25", n.constData())
            << name << QSize(20, 20) << 1.25 << int(QIcon::Normal) << int(QIcon::Off);
        QTest::addRow("%s, disabled", n.constData())
            << name << QSize(20, 20) << 1.0 << int(QIcon::Disabled) << int(QIcon::Off);
        QTest::addRow("%s, wide area", n.constData())
            << name << QSize(32, 20) << 1.0 << int(QIcon::Normal) << int(QIcon::Off);
    }
}

void TestDrawnIcon::iconAsTheSvgIcon()
{
    QFETCH(QString, name);
    QFETCH(QSize, area);
    QFETCH(qreal, ratio);
    QFETCH(int, modeValue);
    QFETCH(int, stateValue);
    const auto mode = QIcon::Mode(modeValue);
    const auto state = QIcon::State(stateValue);

    const QIcon drawn = DrawnIcon::icon(pathOf(name));
    const QIcon svg(pathOf(name));
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn.actualSize(area, mode, state), svg.actualSize(area, mode, state));
    QCOMPARE(painted(drawn, area, ratio, mode, state), painted(svg, area, ratio, mode, state));
}

QTEST_MAIN(TestDrawnIcon)
#include "tst_drawnicon.moc"
