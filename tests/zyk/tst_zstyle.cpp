#include "zapplication.h"
#include "zstyle.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>

using Zyk::Widget::ZApplication;
using Zyk::Widget::ZStyle;

class TestZStyle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void applicationInstallsStyle();
    void sliderOfIdleScrollBar_data();
    void sliderOfIdleScrollBar();
    void slimBarWithoutArrows();
    void sliderFollowsState_data();
    void sliderFollowsState();
    void hoverShowsSlider();

private:
    static void setUpBar(QScrollBar &bar)
    {
        bar.setRange(0, 100);
        bar.setPageStep(20);
        bar.setValue(30);
        bar.setFixedSize(14, 200);
    }
    static QImage grab(QScrollBar &bar) { return bar.grab().toImage(); }
};

void TestZStyle::applicationInstallsStyle()
{
    QVERIFY(qobject_cast<ZStyle *>(QApplication::style()));
}

void TestZStyle::sliderOfIdleScrollBar_data()
{
    QTest::addColumn<QVariant>("property");
    QTest::addColumn<bool>("sliderShown");
    QTest::newRow("no property") << QVariant() << false;
    QTest::newRow("false") << QVariant(false) << false;
    QTest::newRow("true") << QVariant(true) << true;
}

// An idle bar without the property looks the same as one whose slider is hidden.
void TestZStyle::sliderOfIdleScrollBar()
{
    QFETCH(QVariant, property);
    QFETCH(bool, sliderShown);

    QScrollBar withoutSlider(Qt::Vertical);
    setUpBar(withoutSlider);
    QScrollBar bar(Qt::Vertical);
    setUpBar(bar);
    if (property.isValid())
        bar.setProperty(ZStyle::sliderAlwaysShowProperty, property);

    const QImage image = grab(bar);
    QVERIFY(!image.isNull());
    QCOMPARE(image != grab(withoutSlider), sliderShown);
    QCOMPARE(ZStyle::sliderVisible(&bar), sliderShown);
}

// Slim, without arrow buttons: the whole length is the slider's track.
void TestZStyle::slimBarWithoutArrows()
{
    QScrollBar bar(Qt::Vertical);
    bar.setRange(0, 100);
    bar.setPageStep(20);
    QCOMPARE(bar.sizeHint().width(), ZStyle::scrollBarExtent);
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.rect = QRect(0, 0, ZStyle::scrollBarExtent, 200);
    option.orientation = Qt::Vertical;
    option.maximum = 100;
    option.pageStep = 20;
    const QStyle *style = bar.style();
    for (const QStyle::SubControl arrow : {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine})
        QVERIFY(style->subControlRect(QStyle::CC_ScrollBar, &option, arrow, &bar).isEmpty());
    for (const int value : {0, 50, 100}) {
        option.sliderPosition = option.sliderValue = value;
        const QRect slider =
            style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
        // A fifth of the content is seen, so the slider is a sixth of the track, at the value's place.
        QCOMPARE(slider.height(), 200 * 20 / 120);
        QCOMPARE(slider.top(), qRound(value * (200 - slider.height()) / 100.0));
        QCOMPARE(style->hitTestComplexControl(QStyle::CC_ScrollBar, &option, slider.center(), &bar),
                 QStyle::SC_ScrollBarSlider);
    }
}

void TestZStyle::sliderFollowsState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("alwaysShow");
    QTest::addColumn<bool>("sliderShown");
    QTest::newRow("idle") << int(QStyle::State_Enabled) << false << false;
    QTest::newRow("idle, always shown") << int(QStyle::State_Enabled) << true << true;
    QTest::newRow("hovered") << int(QStyle::State_Enabled | QStyle::State_MouseOver) << false << true;
    QTest::newRow("slider pressed") << int(QStyle::State_Enabled | QStyle::State_Sunken) << false << true;
    QTest::newRow("hovered, always shown")
        << int(QStyle::State_Enabled | QStyle::State_MouseOver) << true << true;
}

void TestZStyle::sliderFollowsState()
{
    QFETCH(int, state);
    QFETCH(bool, alwaysShow);
    QFETCH(bool, sliderShown);

    ZStyle style;
    QScrollBar bar(Qt::Vertical);
    setUpBar(bar);
    bar.setProperty(ZStyle::sliderAlwaysShowProperty, alwaysShow);

    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.rect = QRect(0, 0, 14, 200);
    option.orientation = Qt::Vertical;
    option.minimum = 0;
    option.maximum = 100;
    option.pageStep = 20;
    option.sliderPosition = option.sliderValue = 30;
    option.subControls = QStyle::SC_All;
    option.activeSubControls = (state & QStyle::State_Sunken) ? QStyle::SC_ScrollBarSlider : QStyle::SC_None;
    option.state = QStyle::State(state);

    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    style.drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
    painter.end();

    // Only the slider is ever painted: the groove stays clear over the translucent window.
    const QRect slider =
        style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                ++(slider.contains(x, y) ? inside : outside);
        }
    }
    QCOMPARE(inside > 0, sliderShown);
    QCOMPARE(outside, 0);
}

void TestZStyle::hoverShowsSlider()
{
    QWidget window;
    auto *bar = new QScrollBar(Qt::Vertical, &window);
    setUpBar(*bar);
    bar->move(50, 0);
    window.resize(100, 220);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(&window, QPoint(10, 10));
    const QImage idle = grab(*bar);

    QTest::mouseMove(bar, bar->rect().center());
    QTRY_VERIFY(bar->underMouse());
    QVERIFY(ZStyle::sliderVisible(bar));
    QVERIFY(grab(*bar) != idle);

    QTest::mouseMove(&window, QPoint(10, 10));
    QTRY_VERIFY(!bar->underMouse());
    QCOMPARE(grab(*bar), idle);
}

int main(int argc, char **argv)
{
    ZApplication app(argc, argv);
    TestZStyle test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_zstyle.moc"
