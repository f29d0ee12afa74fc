#include "eventeditor.h"

#include "announce.h"
#include "calendarcolor.h"
#include "datacenter.h"
#include "mainwindow.h"
#include "roundedfill.h"
#include "viewlog.h"
#include "widgetsettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {

QString reminderText(int number, bool allDay)
{
    if (number < 0)
        return EventEditor::tr("No reminder");
    if (allDay) {
        if (number == 0)
            return EventEditor::tr("On the day");
        if (number % 7 == 0)
            return EventEditor::tr("%n week(s) before", nullptr, number / 7);
        return EventEditor::tr("%n day(s) before", nullptr, number);
    }
    if (number == 0)
        return EventEditor::tr("At the start");
    if (number % (24 * 60) == 0)
        return EventEditor::tr("%n day(s) before", nullptr, number / (24 * 60));
    if (number % 60 == 0)
        return EventEditor::tr("%n hour(s) before", nullptr, number / 60);
    return EventEditor::tr("%n minute(s) before", nullptr, number);
}

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(color.isValid() ? color : QColor(Qt::gray));
    return QIcon(pixmap);
}

QString outcomeText(EventEdits::Outcome outcome)
{
    switch (outcome) {
    case EventEdits::Outcome::Done:
        break;
    case EventEdits::Outcome::ReadOnly:
        return EventEditor::tr("This calendar is read-only (a subscription, or one its owner keeps "
                               "read-only): the event cannot be saved in it.");
    case EventEdits::Outcome::ChangedOnDisk:
        return EventEditor::tr("Another program changed this calendar a moment ago. It has been read "
                               "again: press Save to try once more.");
    case EventEdits::Outcome::Gone:
        return EventEditor::tr("This event is no longer in its calendar: it was deleted elsewhere.");
    case EventEdits::Outcome::NoServer:
        return EventEditor::tr("The calendar service does not answer, so nothing was saved. Try again "
                               "once it is back.");
    case EventEdits::Outcome::Refused:
        return EventEditor::tr("The calendar cannot hold the event as it is: check its times and text.");
    case EventEdits::Outcome::Failed:
        return EventEditor::tr("The calendar could not be written, so nothing was saved.");
    }
    return QString();
}

QString problemText(EventDraft::Problem problem)
{
    switch (problem) {
    case EventDraft::Problem::None:
        break;
    case EventDraft::Problem::NoTitle:
        return EventEditor::tr("Give the event a title.");
    case EventDraft::Problem::EndsBeforeStart:
        return EventEditor::tr("The event ends before it starts.");
    case EventDraft::Problem::UntilBeforeStart:
        return EventEditor::tr("The repetition ends before the event starts.");
    }
    return QString();
}

template<typename Widget> Widget *named(Widget *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

// QMainWindow lays out its central widget without height-for-width: a window sized for the form did
// not grow when a wrapped text (the repeat question, an error) showed beneath it, and squeezed it
// over the description. The central widget asks instead for the height its texts need at its width.
class WrappedTextRoom : public QObject
{
public:
    explicit WrappedTextRoom(QWidget *central)
        : QObject(central)
    {
        central->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) {
            auto *central = static_cast<QWidget *>(watched);
            if (QLayout *layout = central->layout(); layout && layout->hasHeightForWidth())
                central->setMinimumHeight(layout->heightForWidth(central->width()));
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

EventEditor::EventEditor(const QDate &day, const QVector<CalendarIdentity> &calendars, QWidget *parent)
    : ZMainWindow(parent)
    , edits(new EventEdits(this))
{
    setWindowTitle(tr("New event"));
    build();
    listCalendars(calendars);
    showDraft(EventDraft::newOn(day, QDateTime::currentDateTime()));
}

EventEditor::EventEditor(const ScheduleDataInfo &task, const QVector<CalendarIdentity> &calendars,
                         QWidget *parent)
    : ZMainWindow(parent)
    , task(task)
    , edits(new EventEdits(this))
{
    setWindowTitle(tr("Edit event"));
    build();
    // An event stays in its calendar: the data server moves none from one to another.
    calendarBox->setEnabled(false);
    listCalendars(calendars);
    showDraft(EventDraft::fromJob(task));
}

void EventEditor::listCalendars(const QVector<CalendarIdentity> &calendars)
{
    QVector<CalendarIdentity> offered;
    for (const CalendarIdentity &calendar : calendars) {
        if (isNew() ? calendar.writable : calendar.id == task.getCalendarId())
            offered << calendar;
    }
    if (!isNew() && offered.isEmpty() && !task.getCalendar().isNull())
        offered << task.getCalendar();
    // The user's choice stays; before one, the calendar last used.
    const QString chosen =
        calendarBox->count() > 0 ? calendarBox->currentData().toString() : WidgetSettings().lastCalendar();
    calendarBox->clear();
    for (const CalendarIdentity &calendar : std::as_const(offered))
        calendarBox->addItem(swatch(calendarColor(calendar)), calendar.name, calendar.id);
    calendarBox->setCurrentIndex(std::max(0, calendarBox->findData(chosen)));
}

void EventEditor::build()
{
    setObjectName(QStringLiteral("eventEditor"));
    setAttribute(Qt::WA_TranslucentBackground);
    titlebar()->setMenuVisible(false);

    titleEdit = named(new QLineEdit(this), "titleEdit", tr("Title"));
    titleEdit->setPlaceholderText(tr("Title"));
    allDayBox = named(new QCheckBox(tr("&All day"), this), "allDayBox", tr("All day"));
    reminderBox = named(new QComboBox(this), "reminderBox", tr("Reminder"));
    reminderTimeEdit = named(new QTimeEdit(this), "reminderTimeEdit", tr("Reminder time"));
    calendarBox = named(new QComboBox(this), "calendarBox", tr("Calendar"));
    descriptionEdit = named(new QPlainTextEdit(this), "descriptionEdit", tr("Description"));
    descriptionEdit->setTabChangesFocus(true);
    descriptionEdit->setFixedHeight(64);
    errorLabel = new QLabel(this);
    errorLabel->setObjectName(QStringLiteral("errorLabel"));
    errorLabel->setWordWrap(true);
    errorLabel->hide();
    makeErrorNotice(errorLabel);
    saveButton = named(new QPushButton(tr("Sa&ve"), this), "saveButton", tr("Save"));
    auto *cancelButton = named(new QPushButton(tr("Cancel"), this), "cancelButton", tr("Cancel"));
    for (QPushButton *button : {saveButton, cancelButton})
        button->setAutoDefault(true);

    // One form, so that every label lines up; a label names the first control of its row.
    auto *form = new QFormLayout;
    form->addRow(labelFor(tr("&Title"), titleEdit), titleEdit);
    form->addRow(QString(), allDayBox);
    addTimeRows(form);
    form->addRow(labelFor(tr("&Reminder"), reminderBox), rowOf({reminderBox, reminderTimeEdit}));
    addRepeatRows(form);
    form->addRow(labelFor(tr("Ca&lendar"), calendarBox), calendarBox);
    form->addRow(labelFor(tr("&Description"), descriptionEdit), descriptionEdit);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(16, 4, 16, 16);
    layout->addLayout(form);
    layout->addWidget(errorLabel);
    layout->addWidget(makeScopeBar());
    auto *thisOccurrence = scopeBar->findChild<QPushButton *>(QStringLiteral("thisOccurrenceButton"));
    auto *wholeSeries = scopeBar->findChild<QPushButton *>(QStringLiteral("wholeSeriesButton"));
    layout->addLayout(buttons);
    setCentralWidget(central);
    new WrappedTextRoom(central);

    // In the order the form reads, whatever the order the controls were made in.
    const QList<QWidget *> order{
        titleEdit,   allDayBox,        startDateEdit,  startTimeEdit, endDateEdit,    endTimeEdit,
        reminderBox, reminderTimeEdit, repeatBox,      repeatEndBox,  repeatCountBox, repeatUntilEdit,
        calendarBox, descriptionEdit,  thisOccurrence, wholeSeries,   cancelButton,   saveButton};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(allDayBox, &QCheckBox::toggled, this, &EventEditor::onAllDayToggled);
    connect(saveButton, &QPushButton::clicked, this, &EventEditor::save);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(edits, &EventEdits::finished, this, &EventEditor::onFinished);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    connect(ZGuiApplicationHelper::instance(), &ZGuiApplicationHelper::themeTypeChanged, this,
            &EventEditor::onThemeChanged);
    onThemeChanged(ZGuiApplicationHelper::instance()->themeType());
}

QLabel *EventEditor::labelFor(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, this);
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout *EventEditor::rowOf(const QList<QWidget *> &widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *widget : widgets)
        row->addWidget(widget, widget == widgets.first() ? 1 : 0);
    return row;
}

void EventEditor::addTimeRows(QFormLayout *form)
{
    startDateEdit = named(new QDateEdit(this), "startDateEdit", tr("Start date"));
    startTimeEdit = named(new QTimeEdit(this), "startTimeEdit", tr("Start time"));
    endDateEdit = named(new QDateEdit(this), "endDateEdit", tr("End date"));
    endTimeEdit = named(new QTimeEdit(this), "endTimeEdit", tr("End time"));
    for (QDateEdit *edit : {startDateEdit, endDateEdit})
        edit->setCalendarPopup(true);
    // Times read as the panel's tasks do: the form chosen in the settings.
    const QString clock = TaskRules::timeFormat(DataCenter::instance()->timeFormat());
    for (QTimeEdit *edit : {startTimeEdit, endTimeEdit, reminderTimeEdit})
        edit->setDisplayFormat(clock);
    connect(startDateEdit, &QDateEdit::dateChanged, this, &EventEditor::keepLength);
    connect(startTimeEdit, &QTimeEdit::timeChanged, this, &EventEditor::keepLength);
    form->addRow(labelFor(tr("&Starts"), startDateEdit), rowOf({startDateEdit, startTimeEdit}));
    form->addRow(labelFor(tr("&Ends"), endDateEdit), rowOf({endDateEdit, endTimeEdit}));
}

void EventEditor::addRepeatRows(QFormLayout *form)
{
    repeatBox = named(new QComboBox(this), "repeatBox", tr("Repeat"));
    repeatBox->addItem(tr("Does not repeat"), int(RepetitionRule::NoRepeat));
    repeatBox->addItem(tr("Daily"), int(RepetitionRule::Daily));
    repeatBox->addItem(tr("Every workday"), int(RepetitionRule::Workdays));
    repeatBox->addItem(tr("Weekly"), int(RepetitionRule::Weekly));
    repeatBox->addItem(tr("Monthly"), int(RepetitionRule::Monthly));
    repeatBox->addItem(tr("Yearly"), int(RepetitionRule::Yearly));
    repeatEndBox = named(new QComboBox(this), "repeatEndBox", tr("Repetition ends"));
    repeatEndBox->addItem(tr("Never"), int(RepetitionRule::Never));
    repeatEndBox->addItem(tr("After"), int(RepetitionRule::AfterCount));
    repeatEndBox->addItem(tr("On"), int(RepetitionRule::UntilDate));
    repeatCountBox = named(new QSpinBox(this), "repeatCountBox", tr("Number of times"));
    repeatCountBox->setRange(1, 999);
    repeatCountBox->setSuffix(tr(" times"));
    repeatUntilEdit = named(new QDateEdit(this), "repeatUntilEdit", tr("Last date"));
    repeatUntilEdit->setCalendarPopup(true);

    connect(repeatBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &EventEditor::showRepeatEnd);
    connect(repeatEndBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &EventEditor::showRepeatEnd);

    form->addRow(labelFor(tr("Re&peat"), repeatBox), repeatBox);
    QHBoxLayout *end = rowOf({repeatEndBox, repeatCountBox, repeatUntilEdit});
    end->setStretch(0, 0);
    end->setStretch(2, 1);
    form->addRow(QString(), end);
}

void EventEditor::showRepeatEnd()
{
    const bool repeats = repeatBox->currentData().toInt() != RepetitionRule::NoRepeat;
    const int end = repeatEndBox->currentData().toInt();
    repeatEndBox->setVisible(repeats);
    repeatCountBox->setVisible(repeats && end == RepetitionRule::AfterCount);
    repeatUntilEdit->setVisible(repeats && end == RepetitionRule::UntilDate);
}

QWidget *EventEditor::makeScopeBar()
{
    scopeBar = new QWidget(this);
    scopeBar->setObjectName(QStringLiteral("scopeBar"));
    auto *question =
        new QLabel(tr("This event repeats. Change only this occurrence, or all of them?"), scopeBar);
    question->setWordWrap(true);
    auto *thisOne = named(new QPushButton(tr("&Only this one"), scopeBar), "thisOccurrenceButton",
                          tr("Only this occurrence"));
    auto *all =
        named(new QPushButton(tr("All o&ccurrences"), scopeBar), "wholeSeriesButton", tr("All occurrences"));
    for (QPushButton *button : {thisOne, all})
        button->setAutoDefault(true);
    auto *layout = new QVBoxLayout(scopeBar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(question);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(thisOne);
    buttons->addWidget(all);
    layout->addLayout(buttons);
    scopeBar->hide();
    connect(thisOne, &QPushButton::clicked, this, [this] { send(EventEdits::Scope::ThisOccurrence); });
    connect(all, &QPushButton::clicked, this, [this] { send(EventEdits::Scope::Series); });
    return scopeBar;
}

// The end follows a moved start, keeping the event's length.
void EventEditor::keepLength()
{
    const QDateTime start(startDateEdit->date(), startTimeEdit->time());
    if (shownStart.isValid()) {
        const QDateTime end =
            QDateTime(endDateEdit->date(), endTimeEdit->time()).addSecs(shownStart.secsTo(start));
        endDateEdit->setDate(end.date());
        endTimeEdit->setTime(end.time());
    }
    shownStart = start;
}

void EventEditor::showDraft(const EventDraft &draft)
{
    shownStart = QDateTime();
    titleEdit->setText(draft.title);
    allDayBox->setChecked(draft.allDay);
    onAllDayToggled(draft.allDay);
    startDateEdit->setDate(draft.begin.date());
    startTimeEdit->setTime(draft.begin.time());
    endDateEdit->setDate(draft.end.date());
    endTimeEdit->setTime(draft.end.time());
    fillReminders(draft.allDay, draft.remind);
    reminderTimeEdit->setTime(draft.remind.getRemindTime());
    repeatBox->setCurrentIndex(std::max(0, repeatBox->findData(int(draft.rule.getRuleId()))));
    repeatEndBox->setCurrentIndex(std::max(0, repeatEndBox->findData(int(draft.rule.getRuleType()))));
    repeatCountBox->setValue(std::max(1, draft.rule.getEndCount() + 1));
    const QDate until = draft.rule.getEndDate().date();
    repeatUntilEdit->setDate(until.isValid() ? until : draft.begin.date().addMonths(1));
    descriptionEdit->setPlainText(draft.description);
    shownStart = QDateTime(startDateEdit->date(), startTimeEdit->time());
    showRepeatEnd();
    titleEdit->setFocus();
    titleEdit->selectAll();
}

void EventEditor::fillReminders(bool allDay, const RemindData &keep)
{
    QVector<int> choices = EventDraft::remindChoices(allDay);
    // A reminder the choices do not name (from another program) stays as it is.
    if (!choices.contains(keep.getRemindNum()))
        choices << keep.getRemindNum();
    reminderBox->clear();
    for (int number : std::as_const(choices))
        reminderBox->addItem(reminderText(number, allDay), number);
    reminderBox->setCurrentIndex(reminderBox->findData(keep.getRemindNum()));
}

void EventEditor::onAllDayToggled(bool allDay)
{
    startTimeEdit->setVisible(!allDay);
    endTimeEdit->setVisible(!allDay);
    reminderTimeEdit->setVisible(allDay);
    if (reminderBox->count() > 0) {
        // Minutes and days do not translate into each other: the reminder starts again as none.
        fillReminders(allDay, RemindData(-1, reminderTimeEdit->time()));
    }
}

EventDraft EventEditor::draft() const
{
    EventDraft draft;
    draft.title = titleEdit->text();
    draft.description = descriptionEdit->toPlainText();
    draft.allDay = allDayBox->isChecked();
    draft.begin = QDateTime(startDateEdit->date(), draft.allDay ? QTime(0, 0) : startTimeEdit->time());
    draft.end = QDateTime(endDateEdit->date(), draft.allDay ? QTime(0, 0) : endTimeEdit->time());
    draft.remind = RemindData(reminderBox->currentData().toInt(), reminderTimeEdit->time());
    draft.rule.setRuleId(RepetitionRule::RRuleID(repeatBox->currentData().toInt()));
    draft.rule.setRuleType(RepetitionRule::RRuleEndType(repeatEndBox->currentData().toInt()));
    draft.rule.setEndCount(repeatCountBox->value() - 1);
    draft.rule.setEndDate(QDateTime(repeatUntilEdit->date(), QTime(23, 59, 59)));
    draft.calendarId = calendarBox->currentData().toString();
    return draft;
}

void EventEditor::save()
{
    if (edits->isBusy())
        return;
    const EventDraft edited = draft();
    if (const EventDraft::Problem problem = edited.problem(); problem != EventDraft::Problem::None) {
        showError(problemText(problem));
        return;
    }
    const bool repeats = task.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat;
    // A new rule is the series' own: there is no occurrence to change alone.
    const bool ruleKept = edited.toJob(task).getScheduleRRule() == task.getScheduleRRule();
    if (!isNew() && repeats && ruleKept && scopeBar->isHidden()) {
        scopeBar->show();
        scopeBar->findChild<QPushButton *>(QStringLiteral("thisOccurrenceButton"))->setFocus();
        return;
    }
    send(EventEdits::Scope::Series);
}

void EventEditor::send(EventEdits::Scope scope)
{
    scopeBar->hide();
    errorLabel->hide();
    const ScheduleDataInfo job = draft().toJob(task);
    const bool sent = isNew() ? edits->create(job) : edits->change(task, job, scope);
    saveButton->setEnabled(!sent);
}

void EventEditor::onFinished(EventEdits::Outcome outcome)
{
    if (closeWhenDone) {
        close();
        return;
    }
    saveButton->setEnabled(true);
    if (outcome != EventEdits::Outcome::Done) {
        showError(outcomeText(outcome));
        return;
    }
    if (isNew())
        keepLastCalendar(draft().calendarId);
    Q_EMIT saved();
    close();
}

void EventEditor::keepLastCalendar(const QString &id)
{
    WidgetSettings settings;
    QString error;
    if (!id.isEmpty() && id != settings.lastCalendar() && !settings.setLastCalendar(id, &error))
        qCWarning(lcView).noquote() << "the calendar last used is not kept:" << error;
}

void EventEditor::showError(const QString &text)
{
    errorLabel->setText(text);
    announceError(errorLabel);
}

void EventEditor::closeEvent(QCloseEvent *event)
{
    // A change on its way still carries the task's state over when it lands: until then the
    // window only hides.
    if (edits->isBusy()) {
        closeWhenDone = true;
        hide();
        event->ignore();
        return;
    }
    ZMainWindow::closeEvent(event);
}

void EventEditor::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        save();
        return;
    }
    ZMainWindow::keyPressEvent(event);
}

void EventEditor::onThemeChanged(ZGuiApplicationHelper::ColorType type)
{
    MainWindow::paintLikePanel(this, type, &tint);
}

void EventEditor::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    fillRounded(painter, rect(), windowRadius(), tint, event->rect());
}
