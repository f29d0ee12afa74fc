// The bare Qt limit for the widget's first frame: a translucent, frameless 350x400 window that
// paints the widget's background (a rounded rectangle) and nothing else. bench_widget starts it
// with the xcb GL integration set to none, as the widget runs. With --text it also draws twenty
// lines of text, so that it pays for fontconfig and the loading of a font as the widget does.
// With --countdown it also does what a running countdown asks of any translucent Qt window: every
// 400 ms a 20 px icon shown or hidden, and every second a new first line, each repainting its own
// area alone. Its idle CPU is the floor beneath the widget's with one countdown.
#include <QApplication>
#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>
#include <QTimer>
#include <QWidget>

namespace {
class BareWindow : public QWidget
{
public:
    bool withText = false;

    void countDown()
    {
        auto *tick = new QTimer(this);
        connect(tick, &QTimer::timeout, this, &BareWindow::onTick);
        tick->start(400);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        if (counting) {
            paintCountdown(painter, event->rect());
            return;
        }
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

private:
    static constexpr QRect iconArea{320, 5, 20, 20};
    static constexpr QRect lineArea{20, 8, 290, 20};

    void onTick()
    {
        counting = true;
        iconShown = !iconShown;
        update(iconArea);
        const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
        if (second == shownSecond)
            return;
        shownSecond = second;
        firstLine = QStaticText(QStringLiteral("  %1:%2 => 10:30::00")
                                    .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
                                    .arg(second % 60, 2, 10, QLatin1Char('0')));
        update(lineArea);
    }

    // Over the area alone, as the widget's counting item paints the tint beneath itself.
    void paintCountdown(QPainter &painter, const QRect &area)
    {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, QColor(40, 60, 80, 120));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (iconShown)
            painter.fillRect(iconArea.adjusted(2, 2, -2, -2), QColor(230, 120, 40));
        painter.setPen(QColor(30, 30, 30));
        painter.drawStaticText(lineArea.topLeft(), firstLine);
    }

    bool counting = false;
    bool iconShown = false;
    qint64 shownSecond = -1;
    QStaticText firstLine;
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
    if (app.arguments().contains(QStringLiteral("--countdown")))
        window.countDown();
    return app.exec();
}
