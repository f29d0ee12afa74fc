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
    void initTestCase();
    void applicationInstallsStyle();
    void sliderOfIdleScrollBar_data();
    void sliderOfIdleScrollBar();
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

    std::unique_ptr<QStyle> fusion;
};

void TestZStyle::initTestCase()
{
    fusion.reset(QStyleFactory::create("Fusion"));
    QVERIFY(fusion);
}

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

// The base style draws the slider always: a bar drawn like the base one shows its slider.
void TestZStyle::sliderOfIdleScrollBar()
{
    QFETCH(QVariant, property);
    QFETCH(bool, sliderShown);

    QScrollBar reference(Qt::Vertical);
    reference.setStyle(fusion.get());
    setUpBar(reference);
    QScrollBar withoutSlider(Qt::Vertical);
    setUpBar(withoutSlider);
    QScrollBar bar(Qt::Vertical);
    setUpBar(bar);
    if (property.isValid())
        bar.setProperty(ZStyle::sliderAlwaysShowProperty, property);

    const QImage image = grab(bar);
    QVERIFY(!image.isNull());
    QCOMPARE(image == grab(reference), sliderShown);
    QCOMPARE(image == grab(withoutSlider), !sliderShown);
    QCOMPARE(ZStyle::sliderVisible(&bar), sliderShown);
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

    auto render = [&](const QStyle *s) {
        QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        s->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
        return image;
    };
    QCOMPARE(render(&style) == render(fusion.get()), sliderShown);
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
