#ifndef SCHEDULE_EVENTEDITOR_H
#define SCHEDULE_EVENTEDITOR_H

#include "eventdraft.h"
#include "eventedits.h"
#include "zguiapplicationhelper.h"
#include "zmainwindow.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;

// A new event, or a change of one, in a small window in the panel's style. Save sends it to the
// data server without waiting; the window closes once the server has it and stays open, with
// everything typed, when it refuses, saying why. Enter saves (but for a new line in the
// description), Esc cancels.
class EventEditor : public Zyk::Widget::ZMainWindow
{
    Q_OBJECT
public:
    // A new event on `day`, at the next full hour, in the calendar last used (kept in the settings)
    // where it is writable.
    EventEditor(const QDate &day, const QVector<CalendarIdentity> &calendars, QWidget *parent = nullptr);
    // The occurrence `task` of the list; a repeating one asks, at Save, whether the change is for
    // this occurrence or the whole series.
    EventEditor(const ScheduleDataInfo &task, const QVector<CalendarIdentity> &calendars,
                QWidget *parent = nullptr);

    // The editor's form as it stands.
    EventDraft draft() const;
    // The calendars the data server serves, as it has listed them: a new event offers the writable
    // ones, keeping the one chosen; a change shows the event's own.
    void listCalendars(const QVector<CalendarIdentity> &calendars);
    bool isNew() const { return task.getID() == 0; }

public Q_SLOTS:
    void save();

Q_SIGNALS:
    // The data server has the event.
    void saved();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void build();
    QLabel *labelFor(const QString &text, QWidget *buddy);
    static QHBoxLayout *rowOf(const QList<QWidget *> &widgets);
    void addTimeRows(QFormLayout *form);
    void addRepeatRows(QFormLayout *form);
    QWidget *makeScopeBar();
    void showDraft(const EventDraft &draft);
    void keepLength();
    void showRepeatEnd();
    void fillReminders(bool allDay, const RemindData &keep);
    void onAllDayToggled(bool allDay);
    void send(EventEdits::Scope scope);
    void onFinished(EventEdits::Outcome outcome);
    void showError(const QString &text);
    static void keepLastCalendar(const QString &id);
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);

    ScheduleDataInfo task;
    EventEdits *edits;
    QColor tint;
    QDateTime shownStart; // the start the end's distance is kept from
    bool closeWhenDone = false;
    QLineEdit *titleEdit = nullptr;
    QCheckBox *allDayBox = nullptr;
    QDateEdit *startDateEdit = nullptr;
    QTimeEdit *startTimeEdit = nullptr;
    QDateEdit *endDateEdit = nullptr;
    QTimeEdit *endTimeEdit = nullptr;
    QComboBox *reminderBox = nullptr;
    QTimeEdit *reminderTimeEdit = nullptr;
    QComboBox *repeatBox = nullptr;
    QComboBox *repeatEndBox = nullptr;
    QSpinBox *repeatCountBox = nullptr;
    QDateEdit *repeatUntilEdit = nullptr;
    QComboBox *calendarBox = nullptr;
    QPlainTextEdit *descriptionEdit = nullptr;
    QLabel *errorLabel = nullptr;
    QWidget *scopeBar = nullptr;
    QPushButton *saveButton = nullptr;
};

#endif
