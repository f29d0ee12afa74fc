#ifndef ZYK_ZBUTTONBOX_H
#define ZYK_ZBUTTONBOX_H

#include <QPushButton>
#include <QWidget>

class QButtonGroup;
class QBoxLayout;

namespace Zyk {
namespace Widget {
class ZButtonBoxButton : public QPushButton
{
    Q_OBJECT
public:
    ZButtonBoxButton(const QIcon &icon, const QString &text, QWidget *parent = nullptr);
    explicit ZButtonBoxButton(const QString &text, QWidget *parent = nullptr);
};

// A row of segmented buttons backed by an exclusive button group.
class ZButtonBox : public QWidget
{
    Q_OBJECT
public:
    explicit ZButtonBox(QWidget *parent = nullptr);

    void setButtonList(const QList<ZButtonBoxButton *> &list, bool checkable);
    QList<QAbstractButton *> buttonList() const;
    void setOrientation(Qt::Orientation orientation);
    Qt::Orientation orientation() const;
    void setId(QAbstractButton *button, int id);
    int id(QAbstractButton *button) const;
    QAbstractButton *checkedButton() const;

Q_SIGNALS:
    void buttonClicked(QAbstractButton *button);

private:
    QButtonGroup *group;
    QBoxLayout *layout;
};
} // namespace Widget
} // namespace Zyk

#endif
