// TaskList::setTasks with 1,000 schedules on an empty list (so no fade wait), shown and painted in a
// scroll area of the widget's size, against the same number of bare task-like items: a QWidget with
// a QCheckBox holding date and title, painting one antialiased rounded rectangle.
#include "benchutil.h"
#include "datacenter.h"
#include "taskdetails.h"
#include "taskitem.h"
#include "tasklist.h"
#include "zapplication.h"

#include <QCheckBox>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

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

// A full invitation: place, eight people, a meeting link, Outlook's HTML.
ScheduleDataInfo invitation(ScheduleDataInfo task)
{
    EventDetails details;
    details.location = QStringLiteral("Room 4.12, 1 Main Street, Springfield");
    details.organizer = {QStringLiteral("Dana Lee"), QStringLiteral("dana@example.com"), {}, {}};
    for (int i = 0; i < 8; ++i)
        details.attendees << EventPerson{QStringLiteral("Person %1").arg(i),
                                         QStringLiteral("p%1@example.com").arg(i), QStringLiteral("required"),
                                         QStringLiteral("accepted")};
    details.myReply = QStringLiteral("needs-action");
    details.conference =
        QStringLiteral("https://teams.microsoft.com/l/meetup-join/19%3ameeting_N2E3@thread.v2/0");
    details.timeZone = QStringLiteral("America/New_York");
    task.setDetails(details);
    QString html = QStringLiteral("<html><body><p>Quarterly review of the figures.</p>");
    for (int i = 0; i < 20; ++i)
        html += QStringLiteral("<p>Point %1: see <a href=\"https://example.com/doc/%1\">the document</a></p>")
                    .arg(i);
    task.setDescription(html + QStringLiteral("</body></html>"));
    return task;
}

// The details popover of the first task of a list of `tasks`, as the task's Details… opens it:
// filled, placed beside the item and painted. The first opening builds it.
QVector<double> measureDetails(const QVector<ScheduleDataInfo> &tasks, int opens)
{
    auto *list = new TaskList;
    QScrollArea *area = makeWindow(list);
    list->setTasks(tasks);
    paintNow(area);
    settle(TaskItem::listAnimationMs + 200);
    TaskItem *item = list->taskItems().first();
    const QRect itemRect(item->mapToGlobal(QPoint(0, 0)), item->size());
    std::unique_ptr<TaskDetails> details;
    QVector<double> times;
    for (int i = 0; i < opens; ++i) {
        times << Bench::elapsedMs([&] {
            if (!details)
                details = std::make_unique<TaskDetails>(area);
            details->setTask(invitation(tasks.at(i % tasks.size())));
            details->showBeside(itemRect);
            details->repaint();
        });
        details->hide();
        settle(5);
    }
    details.reset();
    delete area;
    settle(10);
    return times;
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
    const QVector<double> opens = measureDetails(tasks, 1 + 4 * runs);
    Bench::limitRow(QStringLiteral("details popover of a 1,000-task view, first opening"), opens.first(),
                    QStringLiteral("ms"), 16);
    Bench::limitRow(QStringLiteral("details popover of a 1,000-task view, later openings"),
                    Bench::median(opens.mid(1)), QStringLiteral("ms"), 16);
    return 0;
}
