#include "taskcheckbox.h"

#include <QEvent>
#include <QPaintEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
// A countdown paints a few times a second, and all boxes share one colour: one palette for them,
// not a copy made at each paint.
QPalette withTextColor(const QPalette &base, const QColor &color)
{
    static qint64 baseKey = 0;
    static QColor madeFor;
    static QPalette made;
    if (base.cacheKey() != baseKey || color != madeFor) {
        made = base;
        made.setColor(QPalette::WindowText, color);
        made.setColor(QPalette::Text, color);
        baseKey = base.cacheKey();
        madeFor = color;
    }
    return made;
}
} // namespace

// What the style draws for a check box, but for the label's text, and only what the area reaches.
void TaskCheckBox::paintEvent(QPaintEvent *event)
{
    const QRect dirty = event->rect();
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (ownTextColor.isValid())
        option.palette = withTextColor(option.palette, ownTextColor);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    if (dirty.intersects(indicator.rect))
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    drawLines(painter, dirty, option);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_CheckBoxFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void TaskCheckBox::setTextColor(const QColor &color)
{
    if (color == ownTextColor)
        return;
    ownTextColor = color;
    update();
}

void TaskCheckBox::changeEvent(QEvent *event)
{
    QCheckBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        lines.clear();
}

void TaskCheckBox::replaceText(const QString &newText)
{
    const QString oldText = text();
    const qsizetype oldBreak = oldText.indexOf(QLatin1Char('\n'));
    const qsizetype newBreak = newText.indexOf(QLatin1Char('\n'));
    const bool onlyFirstLine = oldBreak >= 0 && newBreak >= 0 &&
                               QStringView(oldText).mid(oldBreak) == QStringView(newText).mid(newBreak);
    if (!onlyFirstLine || !updatesEnabled()) {
        setText(newText);
        return;
    }
    // A button repaints all of itself for a new text; the box and the other lines stay as they are.
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(newText);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    QStyleOptionButton option;
    initStyleOption(&option);
    update(lineRect(option, labelArea(option), int(newText.count(QLatin1Char('\n'))) + 1, 0));
}

QRect TaskCheckBox::labelArea(const QStyleOptionButton &option) const
{
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

QRect TaskCheckBox::lineRect(const QStyleOptionButton &option, const QRect &area, int lineCount,
                             int index) const
{
    const QFontMetrics metrics = fontMetrics();
    const int blockHeight = lineCount * metrics.height() + (lineCount - 1) * metrics.leading();
    const int top = area.top() + (area.height() - blockHeight) / 2 + index * metrics.lineSpacing();
    // From the label's start to the box's far end, as glyphs may reach beyond the label, and a pixel
    // above and below the line; clear of the indicator.
    const QRect line(area.left(), top - 1, width() - area.left(), metrics.height() + 2);
    return option.direction == Qt::RightToLeft ? QRect(0, line.top(), area.right() + 1, line.height()) : line;
}

// The lines as the style places a label: at the start of the area, the block of lines centred
// vertically. The item escapes every ampersand of the text, so it holds no mnemonic.
void TaskCheckBox::drawLines(QPainter &painter, const QRect &dirty, const QStyleOptionButton &option)
{
    const QStringList shown =
        QString(option.text).replace(QLatin1String("&&"), QLatin1String("&")).split(QLatin1Char('\n'));
    lines.resize(shown.size());
    painter.setPen(QPen(option.palette.brush(QPalette::WindowText), painter.pen().widthF()));
    const QRect area = labelArea(option);
    const bool rightToLeft = option.direction == Qt::RightToLeft;
    for (int i = 0; i < shown.size(); ++i) {
        const QRect place = lineRect(option, area, int(shown.size()), i);
        if (!dirty.intersects(place))
            continue;
        Line &line = lines[i];
        if (line.text != shown[i]) {
            line.text = shown[i];
            line.layout = QStaticText(shown[i]);
            line.layout.setTextFormat(Qt::PlainText);
        }
        const qreal x = rightToLeft ? area.right() + 1 - line.layout.size().width() : area.left();
        painter.drawStaticText(QPointF(x, place.top() + 1), line.layout);
    }
}
