#ifndef SCHEDULE_RESIZECORNER_H
#define SCHEDULE_RESIZECORNER_H

#include <QPoint>
#include <QSize>
#include <QWidget>

// The grip in a window's bottom-right corner: dragging it resizes the window within its minimum and
// maximum size. The window's top-left corner stays put, so the pointer is followed in the window's
// own coordinates: a layer surface knows no global position, and its size is the window's.
class ResizeCorner : public QWidget
{
    Q_OBJECT
public:
    explicit ResizeCorner(QWidget *window);

    static constexpr int side = 16;

Q_SIGNALS:
    // At the end of a drag that changed the window's size.
    void resized(const QSize &size);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QSize sizeAtPress;
    QPoint pointerAtPress; // in the window
    bool dragging = false;
};

#endif
