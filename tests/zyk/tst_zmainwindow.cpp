#include "zapplication.h"
#include "zmainwindow.h"

#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>

using Zyk::Widget::ZApplication;
using Zyk::Widget::ZMainWindow;
using Zyk::Widget::ZTitlebar;

class TestZMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titlebar_data();
    void titlebar();
    void iconsSharpWhenScaled();
};

void TestZMainWindow::titlebar_data()
{
    QTest::addColumn<bool>("hide");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("default title bar") << false << false;
    QTest::newRow("title bar switched off") << true << false;
    QTest::newRow("title bar hidden, as the panel's") << true << true;
}

void TestZMainWindow::titlebar()
{
    QFETCH(bool, hide);
    QFETCH(bool, hidden);
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
    bar->setHidden(hidden);
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(bar->menuVisible(), !hide);
    if (hide) {
        if (!hidden)
            QCOMPARE(bar->height(), 0);
        // The bar takes no room: the content starts at the top of the window.
        QCOMPARE(central->geometry().top(), 0);
        QVERIFY(bar->visibleRegion().isEmpty());
    } else {
        QVERIFY(bar->height() > 0);
        QVERIFY(central->geometry().top() >= bar->height());
    }
    // The close button's icon comes from the style when the bar first shows.
    const auto buttons = bar->findChildren<QToolButton *>();
    const bool closeIcon =
        std::any_of(buttons.begin(), buttons.end(), [](QToolButton *b) { return !b->icon().isNull(); });
    QCOMPARE(closeIcon, !hidden);
}

// On a scaled screen an SVG icon is drawn at the screen's resolution, not enlarged from a small one.
void TestZMainWindow::iconsSharpWhenScaled()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile svg(dir.filePath("dot.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20">)"
              R"(<circle cx="10" cy="10" r="9" fill="#000"/></svg>)");
    svg.close();
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.devicePixelRatioF(), 2.0);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QPixmap pixmap = QIcon(svg.fileName()).pixmap(QSize(20, 20), window.devicePixelRatio());
#else
    const QPixmap pixmap = QIcon(svg.fileName()).pixmap(window.windowHandle(), QSize(20, 20));
#endif
    QCOMPARE(pixmap.devicePixelRatioF(), 2.0);
    QCOMPARE(pixmap.size(), QSize(40, 40));
}

int main(int argc, char **argv)
{
    ZApplication app(argc, argv);
    TestZMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_zmainwindow.moc"
