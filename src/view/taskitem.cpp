#include "taskitem.h"

#include "calendarcolor.h"
#include "calendarcontract.h"
#include "calendardbusui.h"
#include "datacenter.h"
#include "dayclock.h"
#include "drawnicon.h"
#include "roundedfill.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLocale>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>
#include <QVariantAnimation>

#include <algorithm>
#include <limits>
#include <utility>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {

bool isTodo(const ScheduleDataInfo &task)
{
    return task.getType() == DBUS_SERVER_TODO_TYPE;
}
constexpr int iconSize = 20;

// The icons drawn once per device pixel ratio and kept: a running countdown repaints its blinking icon
// a few times a second, and drawing a pixmap costs far less than making it again.
void drawIcon(QPainter &painter, const QString &svgPath, const QPoint &at)
{
    static QHash<QPair<QString, int>, QPixmap> cache;
    const qreal ratio = painter.device()->devicePixelRatioF();
    QPixmap &pixmap = cache[qMakePair(svgPath, qRound(ratio * 100))];
    if (pixmap.isNull())
        pixmap = DrawnIcon::pixmap(svgPath, ratio);
    painter.drawPixmap(at, pixmap);
}

// A button text turns "&x" into a shortcut; titles are shown as they are.
QString withoutMnemonics(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// Whether any part of `widget` lies inside every one of its parents, up to the window. Cheaper than
// visibleRegion(), which also looks at each of the widget's siblings.
bool isInView(const QWidget *widget)
{
    QRect area = widget->rect();
    for (const QWidget *w = widget; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        area = area.translated(w->pos()) & w->parentWidget()->rect();
        if (area.isEmpty())
            return false;
    }
    return true;
}

QString withWidestDigits(QString line, const QFontMetrics &metrics)
{
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    }
    for (QChar &c : line) {
        if (c.isDigit())
            c = widest;
    }
    return line;
}

QDateTime now()
{
    return DataCenter::instance()->clock()->now();
}
} // namespace

TaskMenu::TaskMenu(QWidget *parent)
    : QMenu(parent)
    , openAction(tr("在日历中打开"))
    , countdownAction(tr("倒计时模式"))
    , pinAction(tr("置顶模式"))
    , normalAction(tr("正常模式"))
{
    addAction(&openAction);
    addAction(&countdownAction);
    addAction(&pinAction);
    addAction(&normalAction);
}

TaskMenu::EditEntries::EditEntries()
    : detailsAction(TaskMenu::tr("Details…"))
    , joinAction(TaskMenu::tr("Join"))
    , editAction(TaskMenu::tr("Edit…"))
    , deleteAction(TaskMenu::tr("Delete"))
    , deleteMenu(TaskMenu::tr("Delete"))
    , deleteOccurrenceAction(TaskMenu::tr("This occurrence"))
    , deleteSeriesAction(TaskMenu::tr("All occurrences"))
{
    deleteMenu.addAction(&deleteOccurrenceAction);
    deleteMenu.addAction(&deleteSeriesAction);
}

TaskMenu::EditEntries &TaskMenu::editEntries()
{
    if (edits)
        return *edits;
    edits = std::make_unique<EditEntries>();
    // After the four entries of every task, which keep their places.
    addSeparator();
    addAction(&edits->detailsAction);
    addAction(&edits->joinAction);
    addAction(&edits->editAction);
    addAction(&edits->deleteAction);
    addMenu(&edits->deleteMenu);
    connect(&edits->detailsAction, &QAction::triggered, this, &TaskMenu::detailsRequested);
    connect(&edits->joinAction, &QAction::triggered, this, &TaskMenu::joinRequested);
    connect(&edits->editAction, &QAction::triggered, this, &TaskMenu::editRequested);
    connect(&edits->deleteAction, &QAction::triggered, this, [this] { Q_EMIT deleteRequested(true); });
    connect(&edits->deleteOccurrenceAction, &QAction::triggered, this,
            [this] { Q_EMIT deleteRequested(false); });
    connect(&edits->deleteSeriesAction, &QAction::triggered, this, [this] { Q_EMIT deleteRequested(true); });
    applyEditVisibility();
    return *edits;
}

void TaskMenu::showEditEntries(bool edit, bool repeating, bool join)
{
    editShown = edit;
    repeatingShown = repeating;
    joinShown = join;
    applyEditVisibility();
}

void TaskMenu::applyEditVisibility()
{
    if (!edits)
        return;
    edits->joinAction.setVisible(joinShown);
    edits->editAction.setVisible(editShown);
    edits->deleteAction.setVisible(editShown && !repeatingShown);
    edits->deleteMenu.menuAction()->setVisible(editShown && repeatingShown);
}

QColor TaskItem::windowTint;

void TaskItem::setWindowTint(const QColor &tint)
{
    windowTint = tint;
}

TaskItem::FlagStore TaskItem::flagStore;

void TaskItem::setFlagStore(FlagStore store)
{
    flagStore = std::move(store);
}

TaskItem::TaskItem(QWidget *parent)
    : QWidget(parent)
    , checkBox(this)
    , menu(new TaskMenu)
{
    // As narrow as the smallest panel makes it, where the date line still fits.
    setMinimumWidth(itemWidth - 30);
    setFixedHeight(rowHeight());
    resize(itemWidth, height());
    bandHalfHeight = height() / 2;
    progressWidth = -1;
    checkBox.setGeometry(10, 0, width() - 70, height() - 6);

    // Keyboard users reach the task through its check box (Space ticks it); a mouse click does not
    // move the focus, so the focus frame shows only after keyboard navigation.
    checkBox.setFocusPolicy(Qt::TabFocus);
    setFocusPolicy(Qt::TabFocus);
    setFocusProxy(&checkBox);
    checkBox.installEventFilter(this);

    connect(&checkBox, &QCheckBox::clicked, this, &TaskItem::onClicked);
    ZGuiApplicationHelper *helper = ZGuiApplicationHelper::instance();
    connect(helper, &ZGuiApplicationHelper::themeTypeChanged, this, &TaskItem::onThemeChanged);
    onThemeChanged(helper->themeType());

    connect(&menu->openAction, &QAction::triggered, this, &TaskItem::openSchedule);
    connect(&menu->countdownAction, &QAction::triggered, this, &TaskItem::onModeActionToggled);
    connect(&menu->pinAction, &QAction::triggered, this, &TaskItem::onModeActionToggled);
    connect(&menu->normalAction, &QAction::triggered, this, &TaskItem::onModeActionToggled);
    connect(menu, &TaskMenu::editRequested, this, [this] { Q_EMIT editRequested(task); });
    connect(menu, &TaskMenu::detailsRequested, this, [this] { Q_EMIT detailsRequested(task); });
    connect(menu, &TaskMenu::joinRequested, this, [this] { Q_EMIT joinRequested(task); });
    connect(menu, &TaskMenu::deleteRequested, this,
            [this](bool series) { Q_EMIT deleteRequested(task, series); });
}

TaskItem::~TaskItem()
{
    // An open menu may be delivering the very event that led here; a closed one may go now: after
    // the event loop has ended, as at quit, a later deletion never comes.
    if (menu->isVisible())
        menu->deleteLater();
    else
        delete menu;
}

void TaskItem::setTask(const ScheduleDataInfo &info)
{
    setTask(info, DataCenter::instance()->getExtendedData(info));
}

void TaskItem::setTask(const ScheduleDataInfo &info, const ExtendedData &data)
{
    const bool wasDeclined = TaskRules::isDeclined(task);
    task = info;
    if (TaskRules::isDeclined(task) != wasDeclined)
        onThemeChanged(ZGuiApplicationHelper::instance()->themeType());
    calendarMark = calendarColor(task.getCalendar());
    repeating = task.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat;
    countdown = data.countdown;
    pinned = data.pinned;
    checkBox.setChecked(data.checked);
    // A subscription's to-do is ticked here alone: its calendar cannot be changed from here.
    setToolTip(isTodo(task) && !task.getCalendarWritable()
                   ? tr("Its calendar is read-only: the tick is kept in this widget alone.")
                   : QString());
    refreshMode();
}

bool TaskItem::isChecked() const
{
    return checkBox.isChecked();
}

ExtendedData TaskItem::flags() const
{
    ExtendedData record;
    record.dataId = taskKey(task);
    record.checked = checkBox.isChecked();
    record.pinned = pinned;
    record.countdown = countdown;
    return record;
}

QDateTime TaskItem::getBeginDateTime() const
{
    return task.getBeginDateTime();
}

bool TaskItem::isAnimating() const
{
    const auto animations = findChildren<QVariantAnimation *>(QString(), Qt::FindDirectChildrenOnly);
    return (progressTimer && progressTimer->isActive()) ||
           std::any_of(animations.cbegin(), animations.cend(), [](const QVariantAnimation *animation) {
               return animation->state() == QAbstractAnimation::Running;
           });
}

QSize TaskItem::sizeHint() const
{
    return QSize(itemWidth, height());
}

int TaskItem::rowHeight()
{
    // Two lines and a little room above and below them: the default fonts fit itemHeight.
    return std::max(int(itemHeight), 2 * QFontMetrics(QApplication::font()).lineSpacing() + 14);
}

void TaskItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->oldSize().height() != height())
        bandHalfHeight = backgroundAlpha * height() / 360;
    // Only for a width the title was not yet fitted to: an item shown at the size it was made
    // at costs nothing more.
    if (textFittedTo != width())
        refreshMode();
}

// The text size chosen in the settings reaches the item as a new application font.
void TaskItem::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    fittedLineLength = -1;
    if (height() != rowHeight())
        setFixedHeight(rowHeight());
}

void TaskItem::freshMenu()
{
    const TaskRules::MenuEntries entries = TaskRules::menuAt(task, flags(), now());
    menu->openAction.setVisible(entries.open);
    menu->countdownAction.setVisible(entries.countdown);
    menu->pinAction.setVisible(entries.pin);
    menu->normalAction.setVisible(entries.normal);
    menu->showEditEntries(entries.edit, task.getRepetitionRule().getRuleId() != RepetitionRule::NoRepeat,
                          entries.join);
}

void TaskItem::refreshMode()
{
    const int oldMode = mode;
    const int oldState = state;
    const bool blinked = std::exchange(blinkOn, false);

    const QDateTime at = now();
    const ExtendedData current = flags();
    mode = TaskRules::modeAt(task, current, at);
    state = TaskRules::stateAt(task, current, at);
    fitCheckBox();
    // A countdown repaints the item a few times a second. Painting the window's tint beneath itself,
    // it spares the window, the scroll area and the list their repaint each time. Only counting items
    // do: every opaque item costs every repaint of the list a little.
    setAttribute(Qt::WA_OpaquePaintEvent, isCounting() && windowTint.isValid());

    // Kept for the countdown's ticks, which would otherwise lay the title out a few times a second,
    // and for the periodic refresh, which would lay out every item's title again.
    const TitleFit fit{task.getTitleName(), checkBox.width(), checkBox.font()};
    if (fit != titleFit) {
        shownTitleText = shownTitle();
        titleFit = fit;
    }
    textFittedTo = width();
    // Again at each refresh, as the time zone may have changed.
    beginMsecs = task.getBeginDateTime().toMSecsSinceEpoch();
    countdownSecond = -1;
    fittedLineLength = -1;
    checkBox.setText(withoutMnemonics(
        task.getNoDate() ? QLatin1String("  ") + tr("No date") + QLatin1String("\n  ") + shownTitleText
                         : TaskRules::dateText(task.getBeginDateTime(), shownTitleText,
                                               DataCenter::instance()->timeFormat())));
    spokenMinutes = isCounting() ? (at.msecsTo(task.getBeginDateTime()) + 59999) / 60000 : -1;
    freshSpokenText(spokenMinutes);

    const bool changed = mode != oldMode || state != oldState;
    if (changed)
        Q_EMIT stateChanged();
    // Recomputed on every refresh: whether the countdown entry is offered depends on the clock too.
    freshMenu();
    showJoinButton(isCounting() && TaskRules::joinsNow(task, at));
    // The periodic refresh of every item must not repaint the list when nothing has changed; the
    // check box repaints a changed text itself.
    if (changed || blinked)
        update();
}

QDateTime TaskItem::nextChange(const QDateTime &at) const
{
    return TaskRules::nextChange(task, flags(), at);
}

void TaskItem::onCountdown()
{
    if (!isCounting())
        return;
    blinkOn = !blinkOn;

    const qint64 toBegin = beginMsecs - DataCenter::instance()->clock()->msecsSinceEpoch();
    if (toBegin <= TaskRules::joinLeadSecs * 1000 && (!joinButton || joinButton->isHidden()) &&
        !task.getDetails().conference.isEmpty())
        showJoinButton(true);
    const int ticked = TaskRules::modeAfterTick(mode, toBegin);
    if (ticked != mode) {
        mode = ticked;
        progressAnimate();
        Q_EMIT stateChanged();
    }
    // A screen reader hears the countdown once a minute, not at every tick.
    if (const qint64 minutes = (std::max<qint64>(0, toBegin) + 59999) / 60000; minutes != spokenMinutes) {
        spokenMinutes = minutes;
        freshSpokenText(minutes);
    }
    // The line shows whole seconds and the list ticks more often: the ticks between two seconds only
    // blink the icon, without formatting, measuring or repainting the line.
    const qint64 second = std::max<qint64>(0, toBegin + 1000) / 1000;
    const TaskRules::TimeFormat format = DataCenter::instance()->timeFormat();
    if (second != countdownSecond || format != countdownFormat) {
        countdownSecond = second;
        const QString text = TaskRules::countdownText(task.getBeginDateTime(),
                                                      withoutMnemonics(shownTitleText), toBegin, format);
        const int lineLength = int(text.indexOf(QLatin1Char('\n')));
        if (lineLength != fittedLineLength || format != countdownFormat) {
            fitCountdownLine(text);
            fittedLineLength = lineLength;
        }
        countdownFormat = format;
        checkBox.replaceText(text);
    }
    // The check box repaints its own text when it changes; of the item only the blinking icon has.
    update(QRect(width() - 30, 5, iconSize, iconSize));
}

void TaskItem::showJoinButton(bool shown)
{
    if (!shown) {
        if (joinButton)
            joinButton->hide();
        return;
    }
    if (!joinButton) {
        joinButton = new QToolButton(this);
        joinButton->setText(tr("Join"));
        joinButton->setAccessibleName(tr("Join the meeting"));
        joinButton->setFocusPolicy(Qt::TabFocus);
        joinButton->installEventFilter(this);
        connect(joinButton, &QToolButton::clicked, this, [this] { Q_EMIT joinRequested(task); });
    }
    // Over the status icons' lower row, where a countdown shows nothing but the repeat mark.
    const QSize size = joinButton->sizeHint();
    joinButton->setGeometry(width() - size.width() - 4, height() - size.height() - 4, size.width(),
                            size.height());
    joinButton->show();
}

void TaskItem::fadeAnimate()
{
    listAnimate(180, 0, true);
}

void TaskItem::bloomAnimate()
{
    listAnimate(0, 180, false);
}

void TaskItem::listAnimate(int fromAlpha, int toAlpha, bool signalFaded)
{
    QColor from = itemColor;
    from.setAlpha(fromAlpha);
    QColor to = itemColor;
    to.setAlpha(toAlpha);
    auto *animation = new QVariantAnimation(this);
    animation->setDuration(listAnimationMs);
    animation->setStartValue(from);
    animation->setEndValue(to);
    connect(animation, &QVariantAnimation::valueChanged, this, &TaskItem::onColorValueChanged);
    if (signalFaded)
        connect(animation, &QVariantAnimation::finished, this, &TaskItem::faded);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void TaskItem::progressAnimate()
{
    const QDateTime begin = task.getBeginDateTime();
    const qint64 total = now().msecsTo(begin);
    if (total <= 0) {
        // The begin time is already here: there is nothing left to fill.
        startRedFlash();
        return;
    }
    progressTotalMs = std::min<qint64>(total, std::numeric_limits<int>::max());
    progressClock.start();
    progressWidth = -1;
    progressRunning = true;
    showProgressAt(0);

    const qint64 untilBegin = std::clamp<qint64>(now().msecsTo(begin), 0, progressTotalMs);
    QTimer::singleShot(int(untilBegin), this, &TaskItem::startRedFlash);
}

void TaskItem::showProgressAt(qint64 elapsedMs)
{
    if (!progressRunning)
        return;
    const qint64 elapsed = std::clamp<qint64>(elapsedMs, 0, progressTotalMs);
    const qint64 w = width();
    const int newWidth = int(elapsed * w / progressTotalMs);
    if (newWidth != progressWidth) {
        // Only the bar's end moves, and its rounding of up to 8 px; its start too while it is that
        // narrow. The rest of the item stays as it was.
        const int from = std::min(progressWidth, newWidth);
        const int left = from <= 2 * 8 ? 0 : from - 8 - 1;
        update(QRect(left, height() / 2 - bandHalfHeight, std::max(progressWidth, newWidth) + 1 - left,
                     2 * bandHalfHeight));
        progressWidth = newWidth;
    }
    if (newWidth >= w) {
        if (progressTimer)
            progressTimer->stop();
        return;
    }
    // The bar grows a pixel every few seconds or minutes: wake for that, not at the display rate.
    // Made for the last minutes of a countdown only: most items never show a bar.
    if (!progressTimer) {
        progressTimer = new QTimer(this);
        progressTimer->setSingleShot(true);
        progressTimer->setTimerType(Qt::PreciseTimer);
        progressTimer->setObjectName(QStringLiteral("progressTimer"));
        connect(progressTimer, &QTimer::timeout, this, [this] { showProgressAt(progressClock.elapsed()); });
    }
    // The first millisecond at which the bar is one pixel wider.
    const qint64 nextPixelAt = ((newWidth + 1) * progressTotalMs + w - 1) / w;
    progressTimer->start(int(std::max<qint64>(1, nextPixelAt - elapsed)));
}

// The width the check box has for its text, beside its indicator.
int TaskItem::textRoom() const
{
    QStyleOptionButton option;
    option.initFrom(&checkBox);
    option.rect = checkBox.rect();
    return checkBox.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &checkBox).width();
}

QString TaskItem::shownTitle() const
{
    const QFontMetrics metrics = checkBox.fontMetrics();
    const int room = textRoom() - metrics.horizontalAdvance(QStringLiteral("  "));
    return metrics.elidedText(task.getTitleName(), Qt::ElideRight, std::max(room, 0));
}

// A counting task shows no state icon, so its text may run up to the mode icon: the countdown line
// is longer than a date.
void TaskItem::fitCheckBox()
{
    const bool counting = isCounting();
    const int room = counting ? this->width() - 30 - 4 - 10 : this->width() - 70;
    if (checkBox.width() != room || checkBox.height() != height() - 6)
        checkBox.setGeometry(10, 0, room, height() - 6);
    if (!counting && checkBox.testAttribute(Qt::WA_SetFont))
        checkBox.setFont(QFont());
}

// A cut-off time is a wrong time: where even the wider box cannot hold the countdown line in the
// item's font (a large desktop font), the line is drawn smaller until it fits. It is fitted with the
// font's widest digits, so that it needs no measuring each second and keeps its size as it counts.
void TaskItem::fitCountdownLine(const QString &text)
{
    const QString line = text.section(QLatin1Char('\n'), 0, 0);
    const int room = textRoom();
    QFont font = this->font();
    while (QFontMetrics(font).horizontalAdvance(withWidestDigits(line, QFontMetrics(font))) > room) {
        if (font.pointSizeF() > 5)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        else if (font.pixelSize() > 7)
            font.setPixelSize(font.pixelSize() - 1);
        else
            break;
    }
    if (font != checkBox.font())
        checkBox.setFont(font);
}

void TaskItem::startRedFlash()
{
    if (countdown)
        Q_EMIT countdownEnded(task);
    itemColor = QColor(200, 0, 0, 180);
    progressRunning = false;
    if (progressTimer)
        progressTimer->stop();
    onCountdown();
    update();
    QTimer::singleShot(redFlashMs, this, [this] {
        onThemeChanged(ZGuiApplicationHelper::instance()->themeType());
        update();
    });
}

void TaskItem::onThemeChanged(ZGuiApplicationHelper::ColorType type)
{
    const bool dark = type == ZGuiApplicationHelper::DarkType;
    darkBand = dark;
    itemColor = dark ? QColor(0, 0, 0, 180) : QColor(255, 255, 255, 180);
    backgroundAlpha = itemColor.alpha();

    // The band follows the desktop's colour scheme even where the application palette does not
    // (a dark scheme over a light palette): keep the text readable on it.
    QColor text = dark ? QColor(235, 235, 235) : QColor(25, 25, 25);
    // A declined invitation shown at all is shown faintly.
    if (TaskRules::isDeclined(task))
        text.setAlpha(110);
    checkBox.setTextColor(text);
}

void TaskItem::onColorValueChanged(const QVariant &color)
{
    backgroundAlpha = color.value<QColor>().alpha();
    bandHalfHeight = backgroundAlpha * height() / 360;
    // All items of a long list fade at once, and the window's repaint visits every item marked for
    // it, in view or not: a thousand of them made each frame of the fade take longer than a frame.
    // One scrolled into view later is painted as it stands then.
    if (isInView(this))
        update();
}

void TaskItem::openSchedule()
{
    Q_EMIT openRequested(task);
}

void TaskItem::openOrEdit()
{
    // A calendar application started for a task would not show it: the editor does.
    if (CalendarDbusUI::instance()->hasApplication())
        openSchedule();
    else
        Q_EMIT editRequested(task);
}

void TaskItem::onModeActionToggled()
{
    const QObject *action = sender();
    if (action == &menu->countdownAction) {
        countdown = true;
        pinned = false;
    } else if (action == &menu->pinAction) {
        pinned = true;
        countdown = false;
    } else if (action == &menu->normalAction) {
        pinned = false;
        countdown = false;
    } else {
        return;
    }
    refreshMode();
    extDataChanged();
}

void TaskItem::onClicked(bool state)
{
    pinned = false;
    countdown = false;
    refreshMode();
    extDataChanged();
    if (isTodo(task) && task.getCalendarWritable())
        Q_EMIT completionRequested(task, state);
}

void TaskItem::extDataChanged()
{
    const ExtendedData record = flags();
    if (flagStore)
        flagStore(task, record);
    else
        DataCenter::instance()->setExtendedData(task, record);
    Q_EMIT extendedDataEdited(task, record);
}

void TaskItem::showMenu(const QPoint &globalPos)
{
    freshMenu();
    menu->editEntries();
    menu->popup(globalPos);
}

void TaskItem::mouseReleaseEvent(QMouseEvent *event)
{
    // The check box takes the clicks on the date and title (they tick the task); a click on the
    // rest of the item, its status icons, asks what the event is, once it is plain that the click
    // is not the first of a double click, which opens the event in the calendar.
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()) &&
        !std::exchange(doubleClicked, false)) {
        const int click = ++clicks;
        QTimer::singleShot(QApplication::doubleClickInterval(), this, [this, click] {
            if (click == clicks)
                Q_EMIT detailsRequested(task);
        });
    }
    if (event->button() == Qt::RightButton) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        showMenu(event->globalPosition().toPoint());
#else
        showMenu(event->globalPos());
#endif
    }
    QWidget::mouseReleaseEvent(event);
}

void TaskItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    ++clicks;
    doubleClicked = true;
    openOrEdit();
    QWidget::mouseDoubleClickEvent(event);
}

void TaskItem::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        openOrEdit();
        return;
    }
    if ((key == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        showMenu(mapToGlobal(rect().center()));
        return;
    }
    // As the menu's Delete, or its "This occurrence" for a repeating event; with Undo as from there.
    if (key == Qt::Key_Delete && modifiers == Qt::NoModifier &&
        TaskRules::menuAt(task, flags(), now()).edit) {
        Q_EMIT deleteRequested(task, !repeating);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The check box would move the focus to the next widget at an arrow key, and Tab would visit
// every task: the list moves between its tasks, and Tab leaves it for the tool buttons.
bool TaskItem::isNavigationKey(QObject *watched, const QKeyEvent *event) const
{
    // An item on its own, outside a list, keeps the check box's keys.
    if (!isSignalConnected(QMetaMethod::fromSignal(&TaskItem::navigationKey)))
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return modifiers == Qt::NoModifier;
    case Qt::Key_Tab:
        // Through the Join button first, where the item shows one.
        return modifiers == Qt::NoModifier &&
               (watched == joinButton || !joinButton || joinButton->isHidden());
    case Qt::Key_Backtab:
        return watched == &checkBox;
    default:
        return false;
    }
}

void TaskItem::contextMenuEvent(QContextMenuEvent *event)
{
    // The right-button release opens the menu; here only the platform's keyboard request.
    if (event->reason() == QContextMenuEvent::Mouse) {
        QWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    showMenu(mapToGlobal(rect().center()));
}

bool TaskItem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &checkBox && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isNavigationKey(watched, key)) {
            Q_EMIT navigationKey(key->key());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString TaskItem::spokenText(qint64 minutesLeft) const
{
    const QLocale locale;
    const QDateTime begin = task.getBeginDateTime();
    QString when = locale.toString(begin.date(), QLocale::LongFormat);
    if (!task.getAllDay())
        when += QLatin1Char(' ') + locale.toString(begin.time(), QLocale::ShortFormat);
    QStringList parts{task.getTitleName(), when};
    if (checkBox.isChecked())
        parts << tr("ticked");
    if (isCounting())
        parts << (minutesLeft <= 1 ? tr("countdown 1 minute") : tr("countdown %1 minutes").arg(minutesLeft));
    else if (mode == ModeCountdownWait)
        parts << tr("countdown set");
    else if (mode == ModePinned)
        parts << tr("pinned");
    if (state == StateExpired && !checkBox.isChecked())
        parts << tr("overdue");
    if (TaskRules::isUnsure(task))
        parts << (task.getDetails().myReply == QLatin1String("tentative") ? tr("tentative")
                                                                          : tr("not answered"));
    if (!task.getCalendarName().isEmpty())
        parts << task.getCalendarName();
    return parts.join(QStringLiteral(", "));
}

// Only a changed text is set: each setting is an event for the screen reader.
void TaskItem::freshSpokenText(qint64 minutesLeft)
{
    const QString text = spokenText(minutesLeft);
    if (checkBox.accessibleName() != text)
        checkBox.setAccessibleName(text);
    if (accessibleName() != task.getTitleName())
        setAccessibleName(task.getTitleName());
}

// The mode's icon at the right, the state's left of it and the repeat icon beneath.
void TaskItem::paintIcons(QPainter &painter) const
{
    static const QString bellSvg = QStringLiteral(":/pics/bell.svg");
    static const QString repeatSvg = QStringLiteral(":/pics/repeat.svg");
    static const QString warnSvg = QStringLiteral(":/pics/warn.svg");
    static const QString timerSvg = QStringLiteral(":/pics/timer.svg");
    static const QString pinSvg = QStringLiteral(":/pics/pin.svg");
    static const QString hotSvg = QStringLiteral(":/pics/hot.svg");
    const int x1 = width() - 30;
    const int x2 = width() - 55;
    const QString *modeIcon = nullptr;
    if (mode == ModeCountdownWait)
        modeIcon = &hotSvg;
    else if (blinkOn && (mode == ModeCountdown || mode == ModeCountdownFinal))
        modeIcon = &timerSvg;
    else if (mode == ModePinned)
        modeIcon = &pinSvg;
    else if (mode == ModeRemind)
        modeIcon = &bellSvg;
    if (modeIcon)
        drawIcon(painter, *modeIcon, QPoint(x1, 5));

    const QString *stateIcon = nullptr;
    if (state == StateExpired)
        stateIcon = &warnSvg;
    else if (state == StateReminded && mode != ModeCountdownWait && mode != ModeCountdown)
        stateIcon = &timerSvg;
    if (stateIcon)
        drawIcon(painter, *stateIcon, QPoint(x2, 5));

    if (repeating)
        drawIcon(painter, repeatSvg, QPoint(x1, 30));
}

void TaskItem::paintEvent(QPaintEvent *event)
{
    static const QColor progressColor(0, 200, 0, 255);

    const int w = width();
    const int h = height();
    const int b = bandHalfHeight;

    QPainter painter(this);
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), windowTint);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    QColor band = itemColor;
    band.setAlpha(backgroundAlpha);
    fillRounded(painter, QRect(0, h / 2 - b, w, 2 * b), 8, band, event->rect());

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Left of the check box, clear of the icons; fades and shrinks with the band. Its rim keeps a
    // pale colour readable on the light band and a deep one on the dark band.
    if (calendarMark.isValid() && b > 10) {
        const QRect bar(3, h / 2 - b + 9, 4, 2 * b - 18);
        const qreal fade = std::min(1.0, backgroundAlpha / 180.0);
        QColor rim = darkBand ? QColor(255, 255, 255, 110) : QColor(0, 0, 0, 80);
        rim.setAlphaF(rim.alphaF() * fade);
        painter.setBrush(rim);
        painter.drawRoundedRect(QRectF(bar).adjusted(-1, -1, 1, 1), 3, 3);
        QColor mark = calendarMark;
        mark.setAlphaF(fade);
        if (TaskRules::isUnsure(task)) {
            // Not accepted yet: the calendar's colour as an outline only.
            painter.setBrush(itemColor);
            painter.drawRoundedRect(bar, 2, 2);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(mark, 1.5));
            painter.drawRoundedRect(QRectF(bar).adjusted(0.75, 0.75, -0.75, -0.75), 1.5, 1.5);
            painter.setPen(Qt::NoPen);
        } else {
            painter.setBrush(mark);
            painter.drawRoundedRect(bar, 2, 2);
        }
    }

    const QRect progress(0, h / 2 - b, progressWidth, 2 * b);
    if (progressRunning && event->rect().intersects(progress)) {
        const bool squareEnd = progressWidth > 7 && progressWidth < w - 7;
        if (squareEnd && event->rect().left() > 8) {
            // Right of its rounded start the bar is a plain fill, which is all its growth repaints.
            painter.fillRect(event->rect() & progress, progressColor);
        } else {
            painter.setBrush(progressColor);
            painter.drawRoundedRect(progress, 8, 8);
            if (squareEnd)
                painter.drawRect(QRect(progressWidth - 8, h / 2 - b, 8, 2 * b));
        }
    }

    paintIcons(painter);

    if (checkBox.hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
    }
}
