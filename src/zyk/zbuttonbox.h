#ifndef ZYK_ZBUTTONBOX_H
#define ZYK_ZBUTTONBOX_H

#include <QHash>
#include <QPushButton>
#include <QWidget>

class QButtonGroup;
class QBoxLayout;

namespace Zyk {
namespace Widget {
// One segment of a ZButtonBox. Checkable from the start; the box decides when it is added.
class ZButtonBoxButton : public QPushButton
{
    Q_OBJECT
public:
    ZButtonBoxButton(const QIcon &icon, const QString &text, QWidget *parent = nullptr);
    explicit ZButtonBoxButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A row of segmented buttons backed by an exclusive button group.
class ZButtonBox : public QWidget
{
    Q_OBJECT
public:
    explicit ZButtonBox(QWidget *parent = nullptr);

    // Replaces the buttons of the box; the box takes ownership and deletes the buttons it drops.
    // With `checkable` true exactly one button is checked at a time: the first one to begin with.
    void setButtonList(const QList<ZButtonBoxButton *> &list, bool checkable);
    QList<QAbstractButton *> buttonList() const;
    void setOrientation(Qt::Orientation orientation);
    Qt::Orientation orientation() const;
    void setId(QAbstractButton *button, int id);
    // -1 for a button that was given no id, or is not in the box.
    int id(QAbstractButton *button) const;
    QAbstractButton *checkedButton() const;

Q_SIGNALS:
    void buttonClicked(QAbstractButton *button);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QButtonGroup *group;
    QBoxLayout *layout;
    QHash<QAbstractButton *, int> ids;
};
} // namespace Widget
} // namespace Zyk

#endif
