#include "settingswindow.h"

#include "accountsmodule.h"
#include "announce.h"
#include "autostart.h"
#include "calendarcolor.h"
#include "calendarsconf.h"
#include "calendarslist.h"
#include "datacenter.h"
#include "desktopcalendars.h"
#include "mainwindow.h"
#include "myaddresses.h"
#include "roundedfill.h"
#include "viewlog.h"
#include "windowplace.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDebug>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

#include <optional>

using Zyk::Gui::ZGuiApplicationHelper;

namespace {
ZGuiApplicationHelper::ColorType colorTypeOf(WidgetSettings::Colours colours)
{
    switch (colours) {
    case WidgetSettings::Colours::Light:
        return ZGuiApplicationHelper::LightType;
    case WidgetSettings::Colours::Dark:
        return ZGuiApplicationHelper::DarkType;
    case WidgetSettings::Colours::FollowDesktop:
        break;
    }
    return ZGuiApplicationHelper::UnknownType;
}

QLabel *heading(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(buddy);
    return label;
}

void openDialog(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
} // namespace

namespace {
// The choices last put into effect; a dragged panel size is saved beside them.
std::optional<WidgetSettings> &appliedSettings()
{
    static std::optional<WidgetSettings> applied;
    return applied;
}

void applyTextSize(int points)
{
    // Taken before any change: the desktop's font, which the text follows unless a size is chosen.
    static const QFont desktopFont = QApplication::font();
    QFont font = desktopFont;
    if (points > 0)
        font.setPointSize(points);
    if (font != QApplication::font())
        QApplication::setFont(font);
}
} // namespace

bool keepPanelSize(const QSize &size)
{
    std::optional<WidgetSettings> &applied = appliedSettings();
    if (!applied)
        applied.emplace();
    QString error;
    const bool saved = applied->setPanelSize(size, &error);
    if (!saved)
        qCWarning(lcView).noquote() << QStringLiteral("Cannot save the panel's size: %1").arg(error);
    // An open settings window saves its copy whole at its next change: it must not undo this one.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *settingsWindow = qobject_cast<SettingsWindow *>(window))
            settingsWindow->settings = *applied;
    }
    MainWindow::setLook(applied->opacity(), applied->panelSize());
    return saved;
}

void applySettings(const WidgetSettings &settings)
{
    appliedSettings() = settings;
    ZGuiApplicationHelper::instance()->setPaletteType(colorTypeOf(settings.colours()));
    WindowPlace::setKeeping(settings.keepPlace());
    ReminderRules::Options reminders;
    reminders.enabled = settings.reminders();
    reminders.snoozeMinutes = settings.snoozeMinutes();
    reminders.sound = settings.reminderSound();
    reminders.desktopCalendars = settings.remindDesktopCalendars();
    DataCenter::instance()->setReminderOptions(reminders);
    const QStringList hidden = settings.hiddenCalendars();
    DataCenter::instance()->setHiddenCalendars(QSet<QString>(hidden.cbegin(), hidden.cend()));
    DataCenter::instance()->setTimeFormat(TaskRules::TimeFormat(settings.timeFormat()));
    DataCenter::instance()->setDeclinedShown(TaskRules::DeclinedShown(settings.declined()));
    DataCenter::instance()->setUndatedShown(settings.undatedTodos());
    applyTextSize(settings.textSize());
    MainWindow::setLook(settings.opacity(), settings.panelSize());
    MainWindow::setFocusShortcut(settings.focusShortcut());
    MainWindow::setWeekNumbers(settings.weekNumbers());
}

SettingsWindow::SettingsWindow(QWidget *parent)
    : ZMainWindow(parent)
    , autostartBox(new QCheckBox(tr("Start when I log in"), this))
    , coloursBox(new QComboBox(this))
    , keepPlaceBox(new QCheckBox(tr("Keep the widget where I put it"), this))
    , errorLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(tr("Settings"));
    setAttribute(Qt::WA_TranslucentBackground);
    titlebar()->setMenuVisible(false);
    autostartBox->setObjectName(QStringLiteral("autostartBox"));
    coloursBox->setObjectName(QStringLiteral("coloursBox"));
    keepPlaceBox->setObjectName(QStringLiteral("keepPlaceBox"));
    errorLabel->setObjectName(QStringLiteral("errorLabel"));
    errorLabel->setWordWrap(true);
    errorLabel->hide();
    makeErrorNotice(errorLabel);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(16, 4, 16, 16);
    layout->addWidget(autostartBox);
    layout->addSpacing(8);
    layout->addWidget(makeCalendarsSection(), 1);
    layout->addSpacing(8);
    layout->addWidget(createAccountsSection(central));
    layout->addWidget(makeShownCalendarsSection());
    layout->addSpacing(8);
    layout->addWidget(heading(tr("&Colours"), coloursBox, central));
    layout->addWidget(coloursBox);
    layout->addWidget(makeLookSection());
    layout->addSpacing(8);
    layout->addWidget(keepPlaceBox);
    layout->addSpacing(8);
    layout->addWidget(makeRemindersSection());
    layout->addSpacing(8);
    layout->addWidget(makeInvitationsSection());
    layout->addWidget(errorLabel);
    // Longer than a low screen with all its sections: it scrolls, over the window's own tint.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("settingsScrollArea"));
    scroll->setAccessibleName(tr("Settings"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    scroll->setAttribute(Qt::WA_TranslucentBackground);
    scroll->viewport()->setAutoFillBackground(false);
    central->setAutoFillBackground(false);
    scroll->setStyleSheet(QStringLiteral(".QScrollArea { background-color: rgba(0,0,0,0); }"));
    // Only up and down: as wide as the widest section, beside the scroll bar.
    scroll->setMinimumWidth(central->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    setCentralWidget(scroll);

    autostartBox->setChecked(Autostart::enabled());
    connect(autostartBox, &QCheckBox::toggled, this, [this](bool on) {
        QString error;
        if (!Autostart::setEnabled(on, &error))
            showError(tr("Cannot change the start at login: %1").arg(error));
    });

    coloursBox->setAccessibleName(tr("Colours"));
    coloursBox->addItem(tr("Follow the desktop"), int(WidgetSettings::Colours::FollowDesktop));
    coloursBox->addItem(tr("Light"), int(WidgetSettings::Colours::Light));
    coloursBox->addItem(tr("Dark"), int(WidgetSettings::Colours::Dark));
    coloursBox->setCurrentIndex(coloursBox->findData(int(settings.colours())));
    connect(coloursBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const auto colours = WidgetSettings::Colours(coloursBox->itemData(index).toInt());
        QString error;
        if (!settings.setColours(colours, &error))
            showError(tr("Cannot save the settings: %1").arg(error));
        applySettings(settings);
    });

    keepPlaceBox->setChecked(settings.keepPlace());
    connect(keepPlaceBox, &QCheckBox::toggled, this, [this](bool keep) {
        QString error;
        if (!settings.setKeepPlace(keep, &error))
            showError(tr("Cannot save the settings: %1").arg(error));
        applySettings(settings);
    });

    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    connect(ZGuiApplicationHelper::instance(), &ZGuiApplicationHelper::themeTypeChanged, this,
            &SettingsWindow::onThemeChanged);
    onThemeChanged(ZGuiApplicationHelper::instance()->themeType());
    resize(380, 600);
}

namespace {

// The calendar list's entries for the desktop's calendars, which are no lines of calendars.conf.
constexpr int desktopEntryRole = Qt::UserRole + 1;
enum DesktopEntry { NoDesktop = 0, Evolution, Akonadi };

bool isDesktopEntry(const QListWidgetItem *item)
{
    return item && item->data(desktopEntryRole).toInt() != NoDesktop;
}

// Where Evolution Data Server (or Akonadi) is installed, the bus can start its registry (its
// control).
bool serviceExists(const QString &name)
{
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return false;
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return (activatable.isValid() && activatable.value().contains(name)) ||
           bus->isServiceRegistered(name).value();
}

bool setDesktopEntry(const QListWidgetItem *item, QString *error)
{
    const bool on = item->checkState() == Qt::Checked;
    return item->data(desktopEntryRole).toInt() == Akonadi ? DesktopCalendars::setAkonadiEnabled(on, error)
                                                           : DesktopCalendars::setEnabled(on, error);
}

} // namespace

QWidget *SettingsWindow::makeCalendarsSection()
{
    auto *section = new QWidget(this);
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);

    calendarList = new QListWidget(section);
    calendarList->setObjectName(QStringLiteral("calendarList"));
    calendarList->setAccessibleName(tr("Calendars"));
    calendarNote = new QLabel(section);
    calendarNote->setObjectName(QStringLiteral("calendarNote"));
    calendarNote->setWordWrap(true);
    auto *addFileButton = new QPushButton(tr("Add file…"), section);
    auto *addFolderButton = new QPushButton(tr("Add folder…"), section);
    auto *addUrlButton = new QPushButton(tr("Add URL…"), section);
    removeButton = new QPushButton(tr("Remove"), section);
    removeButton->setObjectName(QStringLiteral("removeCalendarButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addFileButton);
    buttons->addWidget(addFolderButton);
    buttons->addWidget(addUrlButton);
    buttons->addStretch(1);
    buttons->addWidget(removeButton);
    layout->addWidget(heading(tr("C&alendars"), calendarList, section));
    layout->addWidget(calendarNote);
    layout->addWidget(calendarList, 1);
    layout->addLayout(buttons);

    const CalendarServer server = calendarServer();
    const bool ours = server.program.isEmpty() || server.program == QLatin1String("tasklist-dataserver");
    if (server.program.isEmpty())
        calendarNote->setText(tr("tasklist-dataserver serves these calendars when it starts."));
    else if (server.followsConf)
        calendarNote->setText(tr("tasklist-dataserver serves these calendars; changes apply at once."));
    else if (ours)
        calendarNote->setText(tr("tasklist-dataserver serves the calendars of its command line now; it "
                                 "serves these when it starts without any."));
    else
        calendarNote->setText(tr("The calendars are served by %1; change them there.").arg(server.program));
    calendarList->setEnabled(ours);
    addFileButton->setEnabled(ours);
    addFolderButton->setEnabled(ours);
    addUrlButton->setEnabled(ours);
    removeButton->setEnabled(false);
    if (!ours)
        return section;

    connectCalendarEdits(addFileButton, addFolderButton, addUrlButton);
    readCalendars();
    return section;
}

void SettingsWindow::connectCalendarEdits(QPushButton *addFileButton, QPushButton *addFolderButton,
                                          QPushButton *addUrlButton)
{
    connect(calendarList, &QListWidget::currentRowChanged, this, [this](int row) {
        removeButton->setEnabled(row >= 0 && !isDesktopEntry(calendarList->item(row)));
    });
    connect(calendarList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        QString error;
        if (isDesktopEntry(item) && !setDesktopEntry(item, &error))
            showError(tr("Cannot save the settings: %1").arg(error));
    });
    // The dialogs are window-modal and report back by signal: a blocking one would run a second
    // event loop under the settings, where a quit or a server signal would find them half done.
    connect(addFileButton, &QPushButton::clicked, this, [this] {
        auto *dialog =
            new QFileDialog(this, tr("Add a calendar file"), QString(), tr("iCalendar files (*.ics)"));
        dialog->setFileMode(QFileDialog::ExistingFile);
        connect(dialog, &QFileDialog::fileSelected, this, &SettingsWindow::addCalendar);
        openDialog(dialog);
    });
    connect(addFolderButton, &QPushButton::clicked, this, [this] {
        auto *dialog = new QFileDialog(this, tr("Add a folder of calendar files"));
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        connect(dialog, &QFileDialog::fileSelected, this, &SettingsWindow::addCalendar);
        openDialog(dialog);
    });
    // A web page's "subscribe" link is webcal://; the server fetches it read-only.
    connect(addUrlButton, &QPushButton::clicked, this, [this] {
        auto *dialog = new QInputDialog(this);
        dialog->setWindowTitle(tr("Subscribe to a calendar"));
        dialog->setLabelText(tr("Address (https:// or webcal://):"));
        connect(dialog, &QInputDialog::textValueSelected, this, &SettingsWindow::subscribe);
        openDialog(dialog);
    });
    connect(removeButton, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem *item = calendarList->currentItem(); item && !isDesktopEntry(item))
            removeCalendar(item->text());
    });
}

void SettingsWindow::subscribe(const QString &address)
{
    const QString url = address.trimmed();
    if (url.isEmpty())
        return;
    if (!CalendarsList::isUrl(url) || !QUrl(url, QUrl::StrictMode).isValid())
        showError(tr("%1 is not an https://, http:// or webcal:// address").arg(url));
    else
        addCalendar(url);
}

// The data server's calendars, each with its colour and whether the widget shows its tasks.
QWidget *SettingsWindow::makeShownCalendarsSection()
{
    auto *section = new QWidget(this);
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    shownCalendarList = new QListWidget(section);
    shownCalendarList->setObjectName(QStringLiteral("shownCalendarList"));
    shownCalendarList->setAccessibleName(tr("Calendars shown in the widget"));
    layout->addWidget(heading(tr("Sho&wn in the widget"), shownCalendarList, section));
    layout->addWidget(shownCalendarList);

    auto *none = new QLabel(tr("The calendars are listed here while the data server runs."), section);
    none->setWordWrap(true);
    layout->addWidget(none);
    // Asked only of a server that is there (the bus would start one), and not waited for.
    if (!calendarServer().program.isEmpty()) {
        DataCenter::instance()->fetchCalendars(
            this, [this, none](bool ok, const QVector<CalendarIdentity> &calendars) {
                none->setVisible(!ok || calendars.isEmpty());
                listCalendars(calendars);
            });
    }
    listCalendars({});
    connect(shownCalendarList, &QListWidget::itemChanged, this, &SettingsWindow::onShownCalendarChanged);

    undatedBox = new QCheckBox(tr("List to-dos without a date"), section);
    undatedBox->setObjectName(QStringLiteral("undatedBox"));
    undatedBox->setChecked(settings.undatedTodos());
    undatedBox->setToolTip(tr("With the overview's first day, after the tasks that have a date."));
    connect(undatedBox, &QCheckBox::toggled, this, [this](bool on) {
        saveLook([on](WidgetSettings &s, QString *error) { return s.setUndatedTodos(on, error); });
    });
    layout->addWidget(undatedBox);
    return section;
}

void SettingsWindow::listCalendars(const QVector<CalendarIdentity> &calendars)
{
    const QSignalBlocker quiet(shownCalendarList);
    shownCalendarList->clear();
    const QStringList hidden = settings.hiddenCalendars();
    for (const CalendarIdentity &calendar : calendars) {
        QPixmap swatch(12, 12);
        swatch.fill(calendarColor(calendar));
        auto *item = new QListWidgetItem(
            QIcon(swatch), calendar.name.isEmpty() ? calendar.location : calendar.name, shownCalendarList);
        item->setData(Qt::UserRole, calendar.id);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(hidden.contains(calendar.id) ? Qt::Unchecked : Qt::Checked);
    }
    shownCalendarList->setVisible(!calendars.isEmpty());
    shownCalendarList->setMaximumHeight(std::min(int(calendars.size()), 4) *
                                            shownCalendarList->sizeHintForRow(0) +
                                        2 * shownCalendarList->frameWidth() + 4);
}

void SettingsWindow::onShownCalendarChanged(QListWidgetItem *item)
{
    const QString id = item->data(Qt::UserRole).toString();
    const bool hide = item->checkState() != Qt::Checked;
    saveLook([&id, hide](WidgetSettings &s, QString *error) { return s.setCalendarHidden(id, hide, error); });
}

void SettingsWindow::makeTimeFormatBox(QWidget *section)
{
    timeFormatBox = new QComboBox(section);
    timeFormatBox->setObjectName(QStringLiteral("timeFormatBox"));
    timeFormatBox->setAccessibleName(tr("Dates and times"));
    timeFormatBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    timeFormatBox->setMinimumContentsLength(16);
    const QDateTime example(QDate(QDate::currentDate().year(), 12, 8), QTime(15, 0));
    const auto exampleOf = [&example](WidgetSettings::TimeFormat format) {
        return TaskRules::dateText(example, QString(), TaskRules::TimeFormat(format)).trimmed();
    };
    timeFormatBox->addItem(tr("%1 (as ever)").arg(exampleOf(WidgetSettings::TimeFormat::Fixed)),
                           int(WidgetSettings::TimeFormat::Fixed));
    timeFormatBox->addItem(
        tr("%1 (as my language has it)").arg(exampleOf(WidgetSettings::TimeFormat::Locale)),
        int(WidgetSettings::TimeFormat::Locale));
    timeFormatBox->addItem(tr("%1 (24-hour)").arg(exampleOf(WidgetSettings::TimeFormat::Hours24)),
                           int(WidgetSettings::TimeFormat::Hours24));
    timeFormatBox->addItem(tr("%1 (12-hour)").arg(exampleOf(WidgetSettings::TimeFormat::Hours12)),
                           int(WidgetSettings::TimeFormat::Hours12));
    timeFormatBox->setCurrentIndex(timeFormatBox->findData(int(settings.timeFormat())));
    connect(timeFormatBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const auto format = WidgetSettings::TimeFormat(timeFormatBox->itemData(index).toInt());
        saveLook([format](WidgetSettings &s, QString *error) { return s.setTimeFormat(format, error); });
    });
}

void SettingsWindow::makeOpacitySlider(QWidget *section)
{
    opacitySlider = new QSlider(Qt::Horizontal, section);
    opacitySlider->setObjectName(QStringLiteral("opacitySlider"));
    opacitySlider->setAccessibleName(tr("Background opacity"));
    opacitySlider->setRange(0, 255);
    opacitySlider->setPageStep(16);
    opacitySlider->setValue(settings.opacity());
    // Seen at once while the slider moves, saved where it stops.
    const auto saveOpacity = [this] {
        const int alpha = opacitySlider->value();
        saveLook([alpha](WidgetSettings &s, QString *error) { return s.setOpacity(alpha, error); });
    };
    connect(opacitySlider, &QSlider::valueChanged, this, [this, saveOpacity](int alpha) {
        if (opacitySlider->isSliderDown())
            MainWindow::setLook(alpha, settings.panelSize());
        else
            saveOpacity();
    });
    connect(opacitySlider, &QSlider::sliderReleased, this, saveOpacity);
}

void SettingsWindow::makeTextSizeControls(QWidget *section)
{
    desktopTextBox = new QCheckBox(tr("Text as large as the desktop's"), section);
    desktopTextBox->setObjectName(QStringLiteral("desktopTextBox"));
    textSizeSlider = new QSlider(Qt::Horizontal, section);
    textSizeSlider->setObjectName(QStringLiteral("textSizeSlider"));
    textSizeSlider->setAccessibleName(tr("Text size in points"));
    textSizeSlider->setRange(WidgetSettings::minTextSize, WidgetSettings::maxTextSize);
    const int desktopPoints = std::max(QApplication::font().pointSize(), int(WidgetSettings::minTextSize));
    textSizeSlider->setValue(settings.textSize() ? settings.textSize() : desktopPoints);
    desktopTextBox->setChecked(settings.textSize() == 0);
    textSizeSlider->setEnabled(settings.textSize() != 0);
    const auto saveTextSize = [this] {
        const int points = desktopTextBox->isChecked() ? 0 : textSizeSlider->value();
        textSizeSlider->setEnabled(points != 0);
        saveLook([points](WidgetSettings &s, QString *error) { return s.setTextSize(points, error); });
    };
    connect(desktopTextBox, &QCheckBox::toggled, this, saveTextSize);
    // At the slider's release, or each step from the keyboard: every step lays all windows out anew.
    connect(textSizeSlider, &QSlider::valueChanged, this, [this, saveTextSize] {
        if (!textSizeSlider->isSliderDown())
            saveTextSize();
    });
    connect(textSizeSlider, &QSlider::sliderReleased, this, saveTextSize);
}

// The form of dates, the panel's opacity and the text size.
QWidget *SettingsWindow::makeLookSection()
{
    auto *section = new QWidget(this);
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);

    makeTimeFormatBox(section);
    makeOpacitySlider(section);
    makeTextSizeControls(section);

    layout->addSpacing(4);
    layout->addWidget(heading(tr("&Dates and times"), timeFormatBox, section));
    layout->addWidget(timeFormatBox);
    layout->addSpacing(4);
    layout->addWidget(heading(tr("&Background opacity"), opacitySlider, section));
    layout->addWidget(opacitySlider);
    layout->addSpacing(4);
    layout->addWidget(heading(tr("&Text size"), textSizeSlider, section));
    layout->addWidget(desktopTextBox);
    layout->addWidget(textSizeSlider);

    weekNumbersBox = new QCheckBox(tr("Show the &week number in the overview"), section);
    weekNumbersBox->setObjectName(QStringLiteral("weekNumbersBox"));
    weekNumbersBox->setChecked(settings.weekNumbers());
    connect(weekNumbersBox, &QCheckBox::toggled, this, [this](bool shown) {
        saveLook([shown](WidgetSettings &s, QString *error) { return s.setWeekNumbers(shown, error); });
    });
    layout->addWidget(weekNumbersBox);
    layout->addSpacing(4);
    makeShortcutEdit(section, layout);
    return section;
}

// The key is taken once typed: the desktop binds it anew.
void SettingsWindow::makeShortcutEdit(QWidget *section, QVBoxLayout *layout)
{
    shortcutEdit = new QKeySequenceEdit(
        QKeySequence::fromString(settings.focusShortcut(), QKeySequence::PortableText), section);
    shortcutEdit->setObjectName(QStringLiteral("shortcutEdit"));
    shortcutEdit->setAccessibleName(tr("Key that gives the panel the keyboard"));
    auto *note = new QLabel(tr("Anywhere on the desktop, where it offers global shortcuts; elsewhere bind "
                               "a key of the desktop's to nvx-calendar-desktop-widget --focus."),
                            section);
    note->setWordWrap(true);
    shortcutEdit->setAccessibleDescription(note->text());
    connect(shortcutEdit, &QKeySequenceEdit::editingFinished, this, [this] {
        // The first key of what was typed: a global shortcut is one key with its modifiers.
        const QKeySequence typed = shortcutEdit->keySequence();
        const QString key =
            typed.isEmpty() ? QString() : QKeySequence(typed[0]).toString(QKeySequence::PortableText);
        if (key != settings.focusShortcut())
            saveLook([key](WidgetSettings &s, QString *error) { return s.setFocusShortcut(key, error); });
    });
    layout->addWidget(heading(tr("&Keyboard"), shortcutEdit, section));
    layout->addWidget(shortcutEdit);
    layout->addWidget(note);
}

void SettingsWindow::saveLook(const std::function<bool(WidgetSettings &, QString *)> &change)
{
    QString error;
    if (!change(settings, &error))
        showError(tr("Cannot save the settings: %1").arg(error));
    applySettings(settings);
}

QWidget *SettingsWindow::makeRemindersSection()
{
    auto *section = new QWidget(this);
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    remindersBox = new QCheckBox(tr("Remind me of my tasks"), section);
    remindersBox->setObjectName(QStringLiteral("remindersBox"));
    snoozeBox = new QSpinBox(section);
    snoozeBox->setObjectName(QStringLiteral("snoozeBox"));
    snoozeBox->setAccessibleName(tr("Snooze length in minutes"));
    snoozeBox->setRange(WidgetSettings::minSnoozeMinutes, WidgetSettings::maxSnoozeMinutes);
    snoozeBox->setSuffix(tr(" min"));
    soundBox = new QCheckBox(tr("Play the alarm sound"), section);
    soundBox->setObjectName(QStringLiteral("soundBox"));
    desktopCalendarsBox = new QCheckBox(tr("Remind of calendars the desktop already reminds of"), section);
    desktopCalendarsBox->setObjectName(QStringLiteral("desktopCalendarsBox"));
    auto *note = new QLabel(tr("This applies to the desktop's (Evolution) calendars, whose own alarm "
                               "service reminds of them already."),
                            section);
    note->setWordWrap(true);
    desktopCalendarsBox->setAccessibleDescription(note->text());

    auto *snoozeRow = new QHBoxLayout;
    auto *snoozeLabel = new QLabel(tr("S&nooze for"), section);
    snoozeLabel->setBuddy(snoozeBox);
    snoozeRow->addWidget(snoozeLabel);
    snoozeRow->addWidget(snoozeBox);
    snoozeRow->addStretch(1);
    layout->addWidget(heading(tr("&Reminders"), remindersBox, section));
    layout->addWidget(remindersBox);
    layout->addLayout(snoozeRow);
    layout->addWidget(soundBox);
    layout->addWidget(desktopCalendarsBox);
    layout->addWidget(note);

    remindersBox->setChecked(settings.reminders());
    snoozeBox->setValue(settings.snoozeMinutes());
    soundBox->setChecked(settings.reminderSound());
    desktopCalendarsBox->setChecked(settings.remindDesktopCalendars());
    for (QWidget *option : {static_cast<QWidget *>(snoozeBox), static_cast<QWidget *>(soundBox),
                            static_cast<QWidget *>(desktopCalendarsBox)})
        option->setEnabled(settings.reminders());
    connect(remindersBox, &QCheckBox::toggled, this, [this](bool on) {
        saveReminders([on](WidgetSettings &s, QString *error) { return s.setReminders(on, error); });
    });
    connect(snoozeBox, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int minutes) {
        saveReminders(
            [minutes](WidgetSettings &s, QString *error) { return s.setSnoozeMinutes(minutes, error); });
    });
    connect(soundBox, &QCheckBox::toggled, this, [this](bool on) {
        saveReminders([on](WidgetSettings &s, QString *error) { return s.setReminderSound(on, error); });
    });
    connect(desktopCalendarsBox, &QCheckBox::toggled, this, [this](bool on) {
        saveReminders(
            [on](WidgetSettings &s, QString *error) { return s.setRemindDesktopCalendars(on, error); });
    });
    return section;
}

QWidget *SettingsWindow::makeInvitationsSection()
{
    auto *section = new QWidget(this);
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    declinedBox = new QComboBox(section);
    declinedBox->setObjectName(QStringLiteral("declinedBox"));
    declinedBox->setAccessibleName(tr("Invitations I declined"));
    declinedBox->addItem(tr("Hidden"), int(WidgetSettings::Declined::Hide));
    declinedBox->addItem(tr("Shown faintly"), int(WidgetSettings::Declined::Dim));
    declinedBox->addItem(tr("Shown"), int(WidgetSettings::Declined::Show));
    declinedBox->setCurrentIndex(declinedBox->findData(int(settings.declined())));
    connect(declinedBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const auto shown = WidgetSettings::Declined(declinedBox->itemData(index).toInt());
        saveLook([shown](WidgetSettings &s, QString *error) { return s.setDeclined(shown, error); });
    });

    addressesEdit = new QLineEdit(MyAddresses::configured().join(QStringLiteral(", ")), section);
    addressesEdit->setObjectName(QStringLiteral("addressesEdit"));
    addressesEdit->setPlaceholderText(tr("name@example.org"));
    auto *note = new QLabel(tr("Invitations in calendar files and subscriptions name you by these "
                               "addresses; online accounts and the desktop's calendars know theirs."),
                            section);
    note->setWordWrap(true);
    addressesEdit->setAccessibleDescription(note->text());
    connect(addressesEdit, &QLineEdit::editingFinished, this, [this] {
        const QStringList addresses = MyAddresses::parse(addressesEdit->text());
        addressesEdit->setText(addresses.join(QStringLiteral(", ")));
        QString error;
        if (addresses != MyAddresses::configured() && !MyAddresses::setConfigured(addresses, &error))
            showError(tr("Cannot save the settings: %1").arg(error));
    });

    layout->addWidget(heading(tr("&Invitations I declined"), declinedBox, section));
    layout->addWidget(declinedBox);
    layout->addWidget(heading(tr("My &e-mail addresses"), addressesEdit, section));
    layout->addWidget(addressesEdit);
    layout->addWidget(note);
    return section;
}

void SettingsWindow::saveReminders(const std::function<bool(WidgetSettings &, QString *)> &change)
{
    QString error;
    if (!change(settings, &error))
        showError(tr("Cannot save the settings: %1").arg(error));
    applySettings(settings);
    for (QWidget *option : {static_cast<QWidget *>(snoozeBox), static_cast<QWidget *>(soundBox),
                            static_cast<QWidget *>(desktopCalendarsBox)})
        option->setEnabled(settings.reminders());
}

void SettingsWindow::readCalendars()
{
    CalendarsConf conf;
    QString error;
    if (!conf.load(&error))
        showError(error);
    calendarList->clear();
    calendarList->addItems(conf.calendars());
    const auto addDesktopEntry = [this](const QString &text, DesktopEntry entry, bool on) {
        // Checked before it is listed: no itemChanged for what the file already says.
        auto *desktop = new QListWidgetItem(text);
        desktop->setData(desktopEntryRole, int(entry));
        desktop->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        desktop->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        calendarList->addItem(desktop);
    };
    if (serviceExists(QStringLiteral("org.gnome.evolution.dataserver.Sources5")))
        addDesktopEntry(tr("The desktop's calendars: GNOME (Evolution)"), Evolution,
                        DesktopCalendars::enabled());
    // On by default, as the server serves them while Akonadi runs; off never serves them.
    if (serviceExists(QStringLiteral("org.freedesktop.Akonadi.Control")))
        addDesktopEntry(tr("The desktop's calendars: KDE (Akonadi)"), Akonadi,
                        DesktopCalendars::akonadi() != DesktopCalendars::AkonadiUse::Off);
    removeButton->setEnabled(calendarList->currentRow() >= 0 && !isDesktopEntry(calendarList->currentItem()));
}

void SettingsWindow::addCalendar(const QString &path)
{
    editCalendars([&path](CalendarsConf &conf) { conf.add(path); }, tr("Cannot add the calendar: %1"));
}

void SettingsWindow::removeCalendar(const QString &entry)
{
    editCalendars([&entry](CalendarsConf &conf) { conf.remove(entry); },
                  tr("Cannot remove the calendar: %1"));
}

// Read anew before each edit: the user, or another settings window, may have changed the file.
void SettingsWindow::editCalendars(const std::function<void(CalendarsConf &)> &edit, const QString &failure)
{
    CalendarsConf conf;
    QString error;
    if (conf.load(&error)) {
        edit(conf);
        conf.save(&error);
    }
    if (!error.isEmpty())
        showError(failure.arg(error));
    readCalendars();
}

void SettingsWindow::showError(const QString &error)
{
    qCWarning(lcView).noquote() << error;
    errorLabel->setText(error);
    announceError(errorLabel);
}

void SettingsWindow::onThemeChanged(ZGuiApplicationHelper::ColorType type)
{
    MainWindow::paintLikePanel(this, type, &tint);
}

void SettingsWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    fillRounded(painter, rect(), windowRadius(), tint, event->rect());
}
