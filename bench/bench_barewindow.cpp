// The bare Qt limit for the widget's first frame: a translucent, frameless 350x400 window that
// paints the widget's background (a rounded rectangle) and nothing else. bench_widget starts it
// with the xcb GL integration set to none, as the widget runs.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {
class BareWindow : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 80));
        painter.drawRoundedRect(rect(), 12, 12);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(350, 400);
    window.move(500, 500);
    window.show();
    return app.exec();
}
