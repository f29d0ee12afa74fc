#ifndef SCHEDULE_TASKDETAILS_H
#define SCHEDULE_TASKDETAILS_H

#include "scheduledatainfo.h"

#include <QFrame>
#include <QUrl>

#include <memory>

class QPaintEvent;

// A small popover beside a task: what the event is, and what can be done with it. Esc or a click
// elsewhere closes it. Its controls are made once: setTask only sets their texts, so that it opens
// within a frame on a panel of any size.
class TaskDetails : public QFrame
{
    Q_OBJECT
public:
    explicit TaskDetails(QWidget *parent = nullptr);
    ~TaskDetails() override;

    // Fills the popover from the job as the data server sent it.
    void setTask(const ScheduleDataInfo &task);
    const ScheduleDataInfo &task() const;
    // Shows it beside `taskRect` (global coordinates): to the right of the panel where the screen has
    // room, else to the left, kept within the screen's available geometry; focuses it.
    void showBeside(const QRect &taskRect);

    // Attendees listed before "Show all"; tst_taskdetails depends on 5.
    static constexpr int foldedAttendees = 5;

Q_SIGNALS:
    void joinRequested(const QUrl &url);
    void openRequested(const ScheduleDataInfo &task);
    void editRequested(const ScheduleDataInfo &task);
    // `reply` is "accepted", "tentative" or "declined".
    void replyRequested(const ScheduleDataInfo &task, const QString &reply);
    // A link of the description, or the location's map.
    void linkRequested(const QUrl &url);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Private;
    void build();
    QWidget *buildBody();
    void showPeople(bool all);
    void showReply(const QString &reply);
    void fitBody();
    void place();

    std::unique_ptr<Private> d;
};

#endif
