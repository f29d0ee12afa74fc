#include "taskdetails.h"

#include "calendarcolor.h"
#include "datacenter.h"
#include "descriptiontext.h"
#include "mainwindow.h"
#include "roundedfill.h"
#include "taskrules.h"
#include "zguiapplicationhelper.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {

constexpr int panelWidth = 360;
constexpr int margin = 14;
constexpr int radius = 12; // as the panel's other windows
constexpr int gap = 6;     // between the panel and the popover
// The people and the description scroll beyond this, so that the buttons stay on screen.
constexpr int maxBodyHeight = 260;

QString replyText(const QString &reply)
{
    if (reply == QLatin1String("accepted"))
        return TaskDetails::tr("Accepted");
    if (reply == QLatin1String("tentative"))
        return TaskDetails::tr("Tentative");
    if (reply == QLatin1String("declined"))
        return TaskDetails::tr("Declined");
    if (reply == QLatin1String("delegated"))
        return TaskDetails::tr("Delegated");
    return TaskDetails::tr("Not answered");
}

QString ownReplyText(const QString &reply)
{
    if (reply.isEmpty())
        return QString();
    if (reply == QLatin1String("accepted"))
        return TaskDetails::tr("You accepted");
    if (reply == QLatin1String("tentative"))
        return TaskDetails::tr("You said maybe");
    if (reply == QLatin1String("declined"))
        return TaskDetails::tr("You declined");
    return TaskDetails::tr("You have not answered");
}

QString personText(const EventPerson &person)
{
    return person.name.isEmpty() ? person.email : person.name;
}

// "America/New_York" reads as "New York".
QString cityOf(const QString &zoneId)
{
    return zoneId.section(QLatin1Char('/'), -1).replace(QLatin1Char('_'), QLatin1Char(' '));
}

// The dates and times in the form the list shows them, with the begin in the event's own zone
// where that zone's clock differs: "06.12  15:00–16:00 (09:00 New York)".
QString whenText(const ScheduleDataInfo &task, const QString &zoneId)
{
    const TaskRules::TimeFormat format = DataCenter::instance()->timeFormat();
    const QLocale locale;
    const auto day = [&](const QDate &date) {
        return locale.toString(date, TaskRules::dayMonthFormat(format, locale));
    };
    const auto time = [&](const QDateTime &at) { return TaskRules::timeText(at.time(), format, locale); };
    const QDateTime begin = task.getBeginDateTime();
    const QDateTime end = task.getEndDateTime();
    const bool oneDay = end.date() <= begin.date();
    if (task.getAllDay())
        return oneDay ? day(begin.date()) : QStringLiteral("%1 – %2").arg(day(begin.date()), day(end.date()));
    QString text =
        oneDay
            ? QStringLiteral("%1  %2–%3").arg(day(begin.date()), time(begin), time(end))
            : QStringLiteral("%1 %2 – %3 %4").arg(day(begin.date()), time(begin), day(end.date()), time(end));
    const QTimeZone zone(zoneId.toUtf8());
    if (zoneId.isEmpty() || !zone.isValid() || zone.offsetFromUtc(begin) == begin.offsetFromUtc())
        return text;
    const QDateTime there = begin.toTimeZone(zone);
    const QString thereDay = there.date() != begin.date() ? day(there.date()) + QLatin1Char(' ') : QString();
    return text + QStringLiteral(" (%1%2 %3)").arg(thereDay, time(there), cityOf(zoneId));
}

QPixmap swatch(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    return pixmap;
}

template<typename Widget> Widget *named(Widget *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel *textLabel(QWidget *parent, const char *objectName, const QString &accessibleName,
                  Qt::TextFormat format = Qt::PlainText)
{
    auto *label = named(new QLabel(parent), objectName, accessibleName);
    label->setWordWrap(true);
    label->setTextFormat(format);
    if (format == Qt::RichText) {
        label->setOpenExternalLinks(false);
        label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    }
    return label;
}

// The answers of the Accept, Maybe and Decline buttons, in their order.
constexpr const char *replies[] = {"accepted", "tentative", "declined"};

} // namespace

struct TaskDetails::Private
{
    ScheduleDataInfo task;
    QUrl locationUrl;
    QColor tint;
    QRect besideRect;
    QLabel *title, *when, *location, *calendarSwatch, *calendar, *ownReply, *readOnly, *people, *description;
    QWidget *replyRow, *body;
    QScrollArea *bodyArea;
    QPushButton *replyButtons[3];
    QPushButton *showAll, *join, *open, *edit;
};

TaskDetails::TaskDetails(QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
    , d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("taskDetails"));
    setAccessibleName(tr("Event details"));
    setWindowTitle(accessibleName());
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedWidth(panelWidth);
    build();
    const auto onTheme = [this](ZGuiApplicationHelper::ColorType type) {
        MainWindow::paintLikePanel(this, type, &d->tint);
    };
    connect(ZGuiApplicationHelper::instance(), &ZGuiApplicationHelper::themeTypeChanged, this, onTheme);
    onTheme(ZGuiApplicationHelper::instance()->themeType());
}

TaskDetails::~TaskDetails() = default;

void TaskDetails::build()
{
    d->title = textLabel(this, "titleLabel", tr("Title"));
    QFont titleFont = d->title->font();
    titleFont.setBold(true);
    d->title->setFont(titleFont);
    d->when = textLabel(this, "whenLabel", tr("Date and time"));
    d->location = textLabel(this, "locationLabel", tr("Location"), Qt::RichText);
    d->calendarSwatch = new QLabel(this);
    d->calendar = textLabel(this, "calendarLabel", tr("Calendar"));
    d->ownReply = textLabel(this, "ownReplyLabel", tr("Your reply"));
    d->readOnly = textLabel(this, "readOnlyLabel", tr("Read-only calendar"));
    d->readOnly->setText(tr("This calendar is read-only: your answer cannot be saved here."));

    d->replyRow = new QWidget(this);
    auto *replyLayout = new QHBoxLayout(d->replyRow);
    replyLayout->setContentsMargins(0, 0, 0, 0);
    const QString replyTexts[] = {tr("Accept"), tr("Maybe"), tr("Decline")};
    const char *replyNames[] = {"acceptButton", "maybeButton", "declineButton"};
    for (int i = 0; i < 3; ++i) {
        auto *button = named(new QPushButton(replyTexts[i], d->replyRow), replyNames[i], replyTexts[i]);
        button->setCheckable(true);
        replyLayout->addWidget(button);
        d->replyButtons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, reply = QString::fromLatin1(replies[i])] {
            showReply(reply);
            Q_EMIT replyRequested(d->task, reply);
        });
    }

    d->join = named(new QPushButton(tr("Join"), this), "joinButton", tr("Join the online meeting"));
    d->open = named(new QPushButton(tr("Open in calendar"), this), "openButton", tr("Open in calendar"));
    d->edit = named(new QPushButton(tr("Edit…"), this), "editButton", tr("Edit"));

    auto *calendarRow = new QHBoxLayout;
    calendarRow->addWidget(d->calendarSwatch);
    calendarRow->addWidget(d->calendar, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(d->join);
    buttonRow->addStretch(1);
    buttonRow->addWidget(d->open);
    buttonRow->addWidget(d->edit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    for (QWidget *widget : std::initializer_list<QWidget *>{d->title, d->when, d->location})
        layout->addWidget(widget);
    layout->addLayout(calendarRow);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{d->ownReply, d->replyRow, d->readOnly, buildBody()})
        layout->addWidget(widget);
    layout->addLayout(buttonRow);

    connect(d->location, &QLabel::linkActivated, this, [this] { Q_EMIT linkRequested(d->locationUrl); });
    connect(d->description, &QLabel::linkActivated, this, [this](const QString &link) {
        const QUrl url(link);
        if (DescriptionText::isSafeLink(url))
            Q_EMIT linkRequested(url);
    });
    connect(d->showAll, &QPushButton::clicked, this, [this] {
        showPeople(true);
        fitBody();
        place();
    });
    connect(d->join, &QPushButton::clicked, this, [this] {
        Q_EMIT joinRequested(QUrl(d->task.getDetails().conference));
        close();
    });
    connect(d->open, &QPushButton::clicked, this, [this] {
        Q_EMIT openRequested(d->task);
        close();
    });
    connect(d->edit, &QPushButton::clicked, this, [this] {
        Q_EMIT editRequested(d->task);
        close();
    });
}

// The people and the description, which scroll where they are long.
QWidget *TaskDetails::buildBody()
{
    d->body = new QWidget;
    d->people = textLabel(d->body, "peopleLabel", tr("Organizer and attendees"));
    d->showAll = named(new QPushButton(d->body), "showAllButton", QString());
    d->showAll->setFlat(true);
    d->description = textLabel(d->body, "descriptionLabel", tr("Description"), Qt::RichText);
    auto *layout = new QVBoxLayout(d->body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->people);
    layout->addWidget(d->showAll, 0, Qt::AlignLeft);
    layout->addWidget(d->description);
    layout->addStretch(1);
    d->bodyArea = named(new QScrollArea(this), "bodyArea", QString());
    d->bodyArea->setFrameShape(QFrame::NoFrame);
    d->bodyArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d->bodyArea->setWidgetResizable(true);
    d->bodyArea->setWidget(d->body);
    // Over the popover's own tint, and in its text colour: a viewport is drawn as a text field.
    d->body->setAutoFillBackground(false); // setWidget() turns it on
    d->bodyArea->viewport()->setAutoFillBackground(false);
    d->bodyArea->viewport()->setBackgroundRole(QPalette::Window);
    return d->bodyArea;
}

void TaskDetails::setTask(const ScheduleDataInfo &task)
{
    d->task = task;
    const EventDetails &details = task.getDetails();
    d->title->setText(task.getTitleName());
    //: The details' date and time, then the ISO week number of the begin
    d->when->setText(tr("%1, week %2")
                         .arg(whenText(task, details.timeZone))
                         .arg(task.getBeginDateTime().date().weekNumber()));

    d->locationUrl = DescriptionText::locationUrl(details.location);
    d->location->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(d->locationUrl.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                  details.location.toHtmlEscaped()));
    d->location->setVisible(!details.location.trimmed().isEmpty());

    const QColor color = calendarColor(task.getCalendar());
    d->calendarSwatch->setPixmap(swatch(color));
    d->calendarSwatch->setVisible(color.isValid());
    d->calendar->setText(task.getCalendarName());
    d->calendar->setVisible(!task.getCalendarName().isEmpty());

    const bool invited = !details.myReply.isEmpty();
    showReply(details.myReply);
    d->replyRow->setVisible(invited);
    d->replyRow->setEnabled(task.getCalendarWritable());
    d->readOnly->setVisible(invited && !task.getCalendarWritable());

    showPeople(false);
    const QString description = task.getDescription();
    d->description->setText(description.isEmpty() ? QString() : DescriptionText::toRichText(description));
    d->description->setVisible(!description.isEmpty());

    const TaskRules::MenuEntries entries = TaskRules::menuAt(task, ExtendedData(), QDateTime());
    d->join->setVisible(entries.join);
    d->edit->setVisible(entries.edit);
    fitBody();

    QStringList spoken{task.getTitleName(), d->when->text(), details.location.trimmed(), d->ownReply->text()};
    spoken.removeAll(QString());
    setAccessibleDescription(spoken.join(QLatin1String(", ")));
}

const ScheduleDataInfo &TaskDetails::task() const
{
    return d->task;
}

void TaskDetails::showReply(const QString &reply)
{
    d->ownReply->setText(ownReplyText(reply));
    d->ownReply->setVisible(!reply.isEmpty());
    for (int i = 0; i < 3; ++i)
        d->replyButtons[i]->setChecked(reply == QLatin1String(replies[i]));
}

void TaskDetails::showPeople(bool all)
{
    const EventDetails &details = d->task.getDetails();
    QStringList lines;
    if (!details.organizer.isEmpty())
        lines << tr("Organizer: %1").arg(personText(details.organizer));
    const int count = int(details.attendees.size());
    const int shown = all ? count : std::min(count, foldedAttendees);
    for (int i = 0; i < shown; ++i) {
        const EventPerson &attendee = details.attendees.at(i);
        lines << QStringLiteral("%1 – %2").arg(personText(attendee), replyText(attendee.reply));
    }
    d->people->setText(lines.join(QLatin1Char('\n')));
    d->people->setVisible(!lines.isEmpty());
    d->showAll->setText(tr("Show all %1").arg(count));
    d->showAll->setAccessibleName(d->showAll->text());
    d->showAll->setVisible(shown < count);
}

void TaskDetails::fitBody()
{
    const bool any = !d->people->isHidden() || !d->description->isHidden();
    d->bodyArea->setVisible(any);
    if (any) {
        QLayout *layout = d->body->layout();
        const int width = panelWidth - 2 * margin;
        const int height = layout->hasHeightForWidth() ? layout->totalHeightForWidth(width)
                                                       : layout->totalSizeHint().height();
        d->bodyArea->setFixedHeight(std::min(height, maxBodyHeight));
    }
    // adjustSize() would take the height for the width the labels wish, not for the fixed one.
    resize(panelWidth, heightForWidth(panelWidth));
}

void TaskDetails::showBeside(const QRect &taskRect)
{
    d->besideRect = taskRect;
    place();
    show();
    activateWindow();
    (d->join->isVisibleTo(this) ? d->join : d->open)->setFocus(Qt::PopupFocusReason);
}

void TaskDetails::place()
{
    const QRect &taskRect = d->besideRect;
    QScreen *screen = QGuiApplication::screenAt(taskRect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    // Beside the panel rather than over it: the popover of a task of its middle would cover the rest.
    QRect panel = taskRect;
    if (parentWidget()) {
        const QRect window = parentWidget()->window()->frameGeometry();
        panel.setLeft(std::min(panel.left(), window.left()));
        panel.setRight(std::max(panel.right(), window.right()));
    }
    int x = panel.right() + 1 + gap;
    if (x + width() > available.right() + 1)
        x = panel.left() - gap - width();
    x = std::clamp(x, available.left(), std::max(available.left(), available.right() + 1 - width()));
    const int y = std::clamp(taskRect.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - height()));
    move(x, y);
}

void TaskDetails::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    fillRounded(painter, rect(), radius, d->tint, event->rect());
}
