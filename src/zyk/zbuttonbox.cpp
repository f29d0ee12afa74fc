#include "zbuttonbox.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QPainter>

namespace Zyk {
namespace Widget {
namespace {
constexpr qreal segmentRadius = 8;
}

ZButtonBoxButton::ZButtonBoxButton(const QIcon &icon, const QString &text, QWidget *parent)
    : QPushButton(icon, text, parent)
{
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    // Reached with Tab, not by a click: the focus ring shows only for the keyboard.
    setFocusPolicy(Qt::TabFocus);
}

ZButtonBoxButton::ZButtonBoxButton(const QString &text, QWidget *parent)
    : ZButtonBoxButton(QIcon(), text, parent)
{
}

void ZButtonBoxButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);

    QColor fill;
    if (isChecked()) {
        fill = palette().color(QPalette::Highlight);
    } else if (isDown()) {
        fill = palette().color(QPalette::Highlight);
        fill.setAlpha(140);
    } else if (underMouse()) {
        fill = palette().color(QPalette::Midlight);
        fill.setAlpha(120);
    }
    if (fill.isValid()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), segmentRadius - 1.5,
                                segmentRadius - 1.5);
    }

    const QSize iconExtent = icon().isNull() ? QSize() : iconSize();
    const int gap = (!iconExtent.isEmpty() && !text().isEmpty()) ? 4 : 0;
    const int textWidth = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text());
    const int contentWidth = iconExtent.width() + gap + textWidth;
    int x = (width() - contentWidth) / 2;
    if (!iconExtent.isEmpty()) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QRect iconRect(QPoint(x, (height() - iconExtent.height()) / 2), iconExtent);
        icon().paint(&painter, iconRect, Qt::AlignCenter, mode, isChecked() ? QIcon::On : QIcon::Off);
        x += iconExtent.width() + gap;
    }
    if (textWidth > 0) {
        painter.setPen(palette().color(isChecked() ? QPalette::HighlightedText : QPalette::ButtonText));
        painter.drawText(QRect(x, 0, textWidth, height()),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    }
    if (hasFocus()) {
        // On the checked segment's highlight, in the colour of its text.
        painter.setOpacity(1);
        painter.setPen(
            QPen(palette().color(isChecked() ? QPalette::HighlightedText : QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), segmentRadius - 2, segmentRadius - 2);
    }
}

ZButtonBox::ZButtonBox(QWidget *parent)
    : QWidget(parent)
    , group(new QButtonGroup(this))
    , layout(new QBoxLayout(QBoxLayout::LeftToRight, this))
{
    group->setExclusive(true);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    connect(group, qOverload<QAbstractButton *>(&QButtonGroup::buttonClicked), this,
            &ZButtonBox::buttonClicked);
}

void ZButtonBox::setButtonList(const QList<ZButtonBoxButton *> &list, bool checkable)
{
    const QList<QAbstractButton *> previous = group->buttons();
    for (QAbstractButton *button : previous) {
        group->removeButton(button);
        layout->removeWidget(button);
        ids.remove(button);
        if (!list.contains(static_cast<ZButtonBoxButton *>(button)))
            button->deleteLater();
    }
    for (ZButtonBoxButton *button : list) {
        // Qt's accessibility reads a checkable button as a check box unless it is auto-exclusive: as a
        // radio button, the screen reader says that one choice of the row is taken. The group
        // already keeps one checked, so nothing else changes.
        button->setAutoExclusive(checkable);
        button->setCheckable(checkable);
        if (!checkable)
            button->setChecked(false);
        layout->addWidget(button);
        group->addButton(button);
        // A new button may sit where a deleted one did: it starts without an id.
        ids.remove(button);
    }
    if (checkable && !list.isEmpty() && !group->checkedButton())
        list.first()->setChecked(true);
}

QList<QAbstractButton *> ZButtonBox::buttonList() const
{
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < layout->count(); ++i)
        if (auto *button = qobject_cast<QAbstractButton *>(layout->itemAt(i)->widget()))
            buttons << button;
    return buttons;
}

void ZButtonBox::setOrientation(Qt::Orientation orientation)
{
    layout->setDirection(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

Qt::Orientation ZButtonBox::orientation() const
{
    return layout->direction() == QBoxLayout::LeftToRight ? Qt::Horizontal : Qt::Vertical;
}

void ZButtonBox::setId(QAbstractButton *button, int id)
{
    if (!group->buttons().contains(button))
        return;
    ids.insert(button, id);
}

int ZButtonBox::id(QAbstractButton *button) const
{
    return group->buttons().contains(button) ? ids.value(button, -1) : -1;
}

QAbstractButton *ZButtonBox::checkedButton() const
{
    return group->checkedButton();
}

void ZButtonBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor track = palette().color(QPalette::Button);
    track.setAlpha(90);
    painter.setPen(Qt::NoPen);
    painter.setBrush(track);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), segmentRadius, segmentRadius);
}
} // namespace Widget
} // namespace Zyk
