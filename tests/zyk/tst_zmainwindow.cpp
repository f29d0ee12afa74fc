#include "zmainwindow.h"

#include <QTest>

using Zyk::Widget::ZMainWindow;
using Zyk::Widget::ZTitlebar;

class TestZMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titlebar_data();
    void titlebar();
};

void TestZMainWindow::titlebar_data()
{
    QTest::addColumn<bool>("hide");
    QTest::newRow("default title bar") << false;
    QTest::newRow("title bar switched off") << true;
}

void TestZMainWindow::titlebar()
{
    QFETCH(bool, hide);
    ZMainWindow window;
    auto *central = new QWidget;
    window.setCentralWidget(central);
    ZTitlebar *bar = window.titlebar();
    QVERIFY(bar);
    QCOMPARE(bar->window(), &window);
    if (hide) {
        bar->setMenuVisible(false);
        bar->setFixedHeight(0);
    }
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(bar->menuVisible(), !hide);
    if (hide) {
        QCOMPARE(bar->height(), 0);
        // The bar takes no room: the content starts at the top of the window.
        QCOMPARE(central->geometry().top(), 0);
        QVERIFY(bar->visibleRegion().isEmpty());
    } else {
        QVERIFY(bar->height() > 0);
        QVERIFY(central->geometry().top() >= bar->height());
    }
}

QTEST_MAIN(TestZMainWindow)
#include "tst_zmainwindow.moc"
