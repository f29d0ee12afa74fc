// TaskList::setTasks with 1,000 schedules on an empty list (so no fade wait), shown and painted in a
// scroll area of the widget's size, against the same number of bare task-like items: a QWidget with
// a QCheckBox holding date and title, painting one antialiased rounded rectangle.
#include "benchutil.h"
#include "datacenter.h"
#include "taskitem.h"
#include "tasklist.h"
#include "zapplication.h"

#include <QCheckBox>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

namespace {

constexpr int itemCount = 1000;

class BareItem : public QWidget
{
public:
    BareItem(const QString &text, QWidget *parent)
        : QWidget(parent)
        , checkBox(this)
    {
        setFixedSize(220, 56);
        checkBox.setGeometry(10, 0, 150, 50);
        checkBox.setText(text);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 180));
        painter.drawRoundedRect(rect(), 8, 8);
    }

private:
    QCheckBox checkBox;
};

QVector<ScheduleDataInfo> schedules(int count)
{
    const QDateTime now = QDateTime::currentDateTime();
    QVector<ScheduleDataInfo> tasks;
    for (int i = 0; i < count; ++i) {
        ScheduleDataInfo info;
        info.setID(5000 + i);
        info.setAllDay(false);
        info.setTitleName(QStringLiteral("Review of chapter %1").arg(i));
        info.setBeginDateTime(now.addSecs(600 * (i - count / 2)));
        info.setEndDateTime(info.getBeginDateTime().addSecs(3600));
        if (i % 3 == 0)
            info.setRemindData(RemindData(15, QTime(9, 0)));
        tasks.append(info);
    }
    return tasks;
}

QScrollArea *makeWindow(QWidget *content)
{
    auto *area = new QScrollArea;
    area->setWidget(content);
    area->setWidgetResizable(false);
    area->resize(350, 400);
    area->show();
    if (!QTest::qWaitForWindowExposed(area))
        Bench::note(QStringLiteral("the window was not exposed"));
    return area;
}

void paintNow(QScrollArea *area)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    area->repaint();
}

void settle(int ms)
{
    QTest::qWait(ms);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Sample
{
    double usPerItem = 0;
    double kibPerItem = 0;
};

Sample measureProduct(const QVector<ScheduleDataInfo> &tasks)
{
    auto *list = new TaskList;
    QScrollArea *area = makeWindow(list);
    settle(50);
    const qint64 heapBefore = Bench::heapInUse();
    const double ms = Bench::elapsedMs([&] {
        list->setTasks(tasks);
        paintNow(area);
    });
    // The blooms run out and delete their animations; what is left is what an item keeps.
    settle(TaskItem::listAnimationMs + 200);
    const qint64 heapAfter = Bench::heapInUse();
    delete area;
    settle(10);
    return {ms * 1000 / tasks.size(), (heapAfter - heapBefore) / 1024.0 / tasks.size()};
}

Sample measureBare(const QVector<ScheduleDataInfo> &tasks)
{
    QScrollArea *area = makeWindow(new QWidget);
    settle(50);
    const qint64 heapBefore = Bench::heapInUse();
    const double ms = Bench::elapsedMs([&] {
        // Filled before it is shown: one layout pass for all the items.
        auto *content = new QWidget;
        auto *layout = new QVBoxLayout(content);
        layout->setSpacing(10);
        for (const ScheduleDataInfo &task : tasks) {
            layout->addWidget(new BareItem(task.getBeginDateTime().toString(QStringLiteral("MM.dd  hh:mm")) +
                                               QLatin1Char('\n') + task.getTitleName(),
                                           content));
        }
        area->setWidget(content);
        content->adjustSize();
        paintNow(area);
    });
    settle(TaskItem::listAnimationMs + 200);
    const qint64 heapAfter = Bench::heapInUse();
    delete area;
    settle(10);
    return {ms * 1000 / tasks.size(), (heapAfter - heapBefore) / 1024.0 / tasks.size()};
}

} // namespace

int main(int argc, char **argv)
{
    Zyk::Widget::ZApplication app(argc, argv);
    const QVector<ScheduleDataInfo> tasks = schedules(itemCount);

    // Icons, fonts, style and the first window cost once per process: not per item.
    measureProduct(schedules(20));
    measureBare(schedules(20));

    QVector<double> productTime, productMemory, bareTime, bareMemory;
    const int runs = Bench::runs(5);
    for (int i = 0; i < runs; ++i) {
        const Sample bare = measureBare(tasks);
        const Sample product = measureProduct(tasks);
        bareTime << bare.usPerItem;
        bareMemory << bare.kibPerItem;
        productTime << product.usPerItem;
        productMemory << product.kibPerItem;
    }
    Bench::note(QStringLiteral("platform: %1").arg(QGuiApplication::platformName()));
    const double bareUs = Bench::median(bareTime);
    const double bareKiB = Bench::median(bareMemory);
    Bench::limitRow(QStringLiteral("setTasks, 1,000 schedules: time per item"), Bench::median(productTime),
                    QStringLiteral("µs"), 80, QStringLiteral("%1 µs").arg(bareUs, 0, 'f', 1));
    Bench::limitRow(QStringLiteral("setTasks, 1,000 schedules: heap per item"), Bench::median(productMemory),
                    QStringLiteral("KiB"), 12, QStringLiteral("%1 KiB").arg(bareKiB, 0, 'f', 1));
    return 0;
}
