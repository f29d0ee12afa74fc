// The bare Qt limit for the widget's first frame: a translucent, frameless 350x400 window that
// paints the widget's background (a rounded rectangle) and nothing else. bench_widget starts it
// with the xcb GL integration set to none, as the widget runs. With --text it also draws twenty
// lines of text, so that it pays for fontconfig and the loading of a font as the widget does.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {
class BareWindow : public QWidget
{
public:
    bool withText = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 80));
        painter.drawRoundedRect(rect(), 12, 12);
        if (!withText)
            return;
        // Below the strip near the top edge where bench_widget reads the background back.
        painter.setPen(QColor(30, 30, 30));
        const int lineHeight = painter.fontMetrics().height() + 2;
        for (int line = 0; line < 20; ++line)
            painter.drawText(20, 30 + line * lineHeight, QStringLiteral("Task %1 of the day").arg(line + 1));
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.withText = app.arguments().contains(QStringLiteral("--text"));
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(350, 400);
    window.move(500, 500);
    window.show();
    return app.exec();
}
