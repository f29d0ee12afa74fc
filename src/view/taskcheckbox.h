#ifndef SCHEDULE_TASKCHECKBOX_H
#define SCHEDULE_TASKCHECKBOX_H

#include <QCheckBox>
#include <QColor>
#include <QStaticText>
#include <QVector>

// A task's check box and its lines of text. A countdown changes the first line every second and the
// second line never: each line is laid out once per text and font and drawn from that layout.
class TaskCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

    // Sets the text; where only its first line is new (a countdown's next second), only that line
    // is repainted.
    void replaceText(const QString &newText);
    // The colour of the text and of the check mark, where it is not the palette's. A colour of its
    // own rather than a palette: each widget's palette is a copy of its own, and a list holds
    // thousands of these boxes.
    void setTextColor(const QColor &color);
    QColor textColor() const { return ownTextColor; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void drawLines(QPainter &painter, const QRect &dirty, const QStyleOptionButton &option);
    QRect labelArea(const QStyleOptionButton &option) const;
    // Where line `index` of `lineCount` lies in the label's area, as the style places a label.
    QRect lineRect(const QStyleOptionButton &option, const QRect &area, int lineCount, int index) const;

    struct Line
    {
        QString text;
        QStaticText layout;
    };
    QVector<Line> lines;
    QColor ownTextColor;
};

#endif
