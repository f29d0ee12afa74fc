#include "zbuttonbox.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

using Zyk::Widget::ZButtonBox;
using Zyk::Widget::ZButtonBoxButton;

class TestZButtonBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutFollowsListOrder_data();
    void layoutFollowsListOrder();
    void exclusiveChecking();
    void uncheckableButtons();
    void ids();
    void clickEmitsButton_data();
    void clickEmitsButton();
    void replacingTheList();
    void focusRing_data();
    void focusRing();

private:
    static QList<ZButtonBoxButton *> makeButtons(ZButtonBox &box, const QStringList &texts)
    {
        QList<ZButtonBoxButton *> buttons;
        for (const QString &text : texts)
            buttons << new ZButtonBoxButton(text, &box);
        return buttons;
    }
};

void TestZButtonBox::layoutFollowsListOrder_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::newRow("horizontal") << Qt::Horizontal;
    QTest::newRow("vertical") << Qt::Vertical;
}

void TestZButtonBox::layoutFollowsListOrder()
{
    QFETCH(Qt::Orientation, orientation);
    ZButtonBox box;
    // Created in the opposite order, so that only the list can give the layout its order.
    QList<ZButtonBoxButton *> buttons;
    for (const char *text : {"C", "B", "A"})
        buttons.prepend(new ZButtonBoxButton(text, &box));
    ZButtonBoxButton *hidden = new ZButtonBoxButton("Hidden", &box);
    hidden->hide();
    buttons.insert(1, hidden);
    box.setButtonList(buttons, true);
    box.setOrientation(orientation);
    QCOMPARE(box.orientation(), orientation);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const QList<ZButtonBoxButton *> visible = {buttons[0], buttons[2], buttons[3]};
    for (int i = 1; i < visible.size(); ++i) {
        const QRect before = visible[i - 1]->geometry();
        const QRect after = visible[i]->geometry();
        if (orientation == Qt::Horizontal) {
            QVERIFY2(after.left() >= before.right(), qPrintable(visible[i]->text()));
            QCOMPARE(after.top(), before.top());
        } else {
            QVERIFY2(after.top() >= before.bottom(), qPrintable(visible[i]->text()));
            QCOMPARE(after.left(), before.left());
        }
    }
    QVERIFY(!hidden->isVisible());
    QCOMPARE(box.buttonList().size(), 4);
    QCOMPARE(box.buttonList().at(1), hidden);
}

void TestZButtonBox::exclusiveChecking()
{
    ZButtonBox box;
    const QList<ZButtonBoxButton *> buttons = makeButtons(box, {"D1", "D2", "D3"});
    box.setButtonList(buttons, true);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    auto checkedCount = [&buttons] {
        return std::count_if(buttons.cbegin(), buttons.cend(),
                             [](ZButtonBoxButton *b) { return b->isChecked(); });
    };
    QCOMPARE(checkedCount(), 1);
    QVERIFY(buttons[0]->isChecked());
    // One choice of several, as a screen reader should say it; not a row of check boxes.
    for (ZButtonBoxButton *button : buttons)
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::RadioButton);

    buttons[2]->setChecked(true);
    QCOMPARE(checkedCount(), 1);
    QCOMPARE(box.checkedButton(), buttons[2]);

    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, buttons[1]->rect().center());
    QCOMPARE(checkedCount(), 1);
    QCOMPARE(box.checkedButton(), buttons[1]);

    // Clicking the checked button again, or unchecking it in code, must not leave none checked.
    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, buttons[1]->rect().center());
    buttons[1]->setChecked(false);
    QCOMPARE(checkedCount(), 1);
    QVERIFY(buttons[1]->isChecked());
}

void TestZButtonBox::uncheckableButtons()
{
    ZButtonBox box;
    const QList<ZButtonBoxButton *> buttons = makeButtons(box, {"edit", "close"});
    box.setButtonList(buttons, false);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    for (ZButtonBoxButton *button : buttons) {
        QVERIFY(!button->isCheckable());
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::Button);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY(!button->isChecked());
    }
    QCOMPARE(box.checkedButton(), nullptr);
}

void TestZButtonBox::ids()
{
    ZButtonBox box;
    const QList<ZButtonBoxButton *> buttons = makeButtons(box, {"home", "Hidden", "D1", "D2"});
    box.setButtonList(buttons, true);
    box.setId(buttons[0], 0);
    box.setId(buttons[2], 1);
    box.setId(buttons[3], 2);
    QCOMPARE(box.id(buttons[0]), 0);
    QCOMPARE(box.id(buttons[2]), 1);
    QCOMPARE(box.id(buttons[3]), 2);
    QCOMPARE(box.id(buttons[1]), -1);
    box.setId(buttons[3], 7);
    QCOMPARE(box.id(buttons[3]), 7);

    ZButtonBoxButton stranger("elsewhere");
    box.setId(&stranger, 3);
    QCOMPARE(box.id(&stranger), -1);
    QCOMPARE(box.id(nullptr), -1);
}

void TestZButtonBox::clickEmitsButton_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<int>("index");
    QTest::newRow("checkable, first") << true << 0;
    QTest::newRow("checkable, last") << true << 2;
    QTest::newRow("plain, middle") << false << 1;
}

void TestZButtonBox::clickEmitsButton()
{
    QFETCH(bool, checkable);
    QFETCH(int, index);
    ZButtonBox box;
    const QList<ZButtonBoxButton *> buttons = makeButtons(box, {"a", "b", "c"});
    box.setButtonList(buttons, checkable);
    for (int i = 0; i < buttons.size(); ++i)
        box.setId(buttons[i], i);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QSignalSpy spy(&box, &ZButtonBox::buttonClicked);
    ZButtonBoxButton *button = buttons[index];
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCOMPARE(spy.count(), 1);
    auto *clicked = spy.first().first().value<QAbstractButton *>();
    QCOMPARE(clicked, button);
    QCOMPARE(box.id(clicked), index);
    QCOMPARE(button->isChecked(), checkable);
}

void TestZButtonBox::replacingTheList()
{
    ZButtonBox box;
    const QList<ZButtonBoxButton *> first = makeButtons(box, {"a", "b"});
    box.setButtonList(first, true);
    box.setId(first[1], 5);
    QPointer<ZButtonBoxButton> dropped = first[0];

    const QList<ZButtonBoxButton *> second = {first[1], new ZButtonBoxButton("c", &box)};
    box.setButtonList(second, true);
    QCOMPARE(box.buttonList().size(), 2);
    QCOMPARE(box.buttonList().first(), first[1]);
    QCOMPARE(box.id(first[1]), -1);
    QTRY_VERIFY(dropped.isNull());

    QSignalSpy spy(&box, &ZButtonBox::buttonClicked);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(second[1], Qt::LeftButton, {}, second[1]->rect().center());
    QCOMPARE(spy.count(), 1);
    QVERIFY(second[1]->isChecked());
    QVERIFY(!second[0]->isChecked());
}

void TestZButtonBox::focusRing_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light, unchecked") << false << false;
    QTest::newRow("light, checked") << true << false;
    QTest::newRow("dark, unchecked") << false << true;
    QTest::newRow("dark, checked") << true << true;
}

// Reached with Tab, a button shows it along its edge, whatever its state and the theme; a click
// moves no focus there.
void TestZButtonBox::focusRing()
{
    QFETCH(bool, checked);
    QFETCH(bool, dark);

    QWidget window;
    QPalette palette = window.palette();
    if (dark) {
        palette.setColor(QPalette::Window, QColor(30, 30, 30));
        palette.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    }
    window.setPalette(palette);
    auto *box = new ZButtonBox(&window);
    auto *other = new ZButtonBoxButton("D1", box);
    auto *button = new ZButtonBoxButton("D2", box);
    box->setButtonList({other, button}, true);
    button->setChecked(checked);
    box->resize(160, 36);
    window.resize(200, 60);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QImage plain = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    const QImage focused = button->grab().toImage();
    // Two pixels in from the left edge, halfway down: the ring, and nothing else there.
    const QPoint edge(2 * focused.devicePixelRatio(), focused.height() / 2);
    const QColor ring = focused.pixelColor(edge);
    QVERIFY2(ring != plain.pixelColor(edge), qPrintable(ring.name()));
    const QColor fill =
        checked ? button->palette().color(QPalette::Highlight) : window.palette().color(QPalette::Window);
    // Visibly apart from what lies beside it.
    QVERIFY2(std::abs(ring.lightness() - fill.lightness()) > 40 || std::abs(ring.hue() - fill.hue()) > 40,
             qPrintable(ring.name() + " on " + fill.name()));

    button->clearFocus();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->hasFocus());
}

QTEST_MAIN(TestZButtonBox)
#include "tst_zbuttonbox.moc"
