#include "widgetsettings.h"

#include "instance.h"
#include "savefile.h"
#include "settingslog.h"
#include "utf8text.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

const char WidgetSettings::defaultFocusShortcut[] = "Meta+Alt+C";

namespace {
const QString coloursKey = QStringLiteral("Appearance/colours");
const QString keepPlaceKey = QStringLiteral("Window/keepPlace");
const QString remindersKey = QStringLiteral("Reminders/enabled");
const QString snoozeKey = QStringLiteral("Reminders/snoozeMinutes");
const QString soundKey = QStringLiteral("Reminders/sound");
const QString desktopCalendarsKey = QStringLiteral("Reminders/desktopCalendars");
const QString timeFormatKey = QStringLiteral("Appearance/timeFormat");
const QString opacityKey = QStringLiteral("Appearance/opacity");
const QString textSizeKey = QStringLiteral("Appearance/textSize");
const QString widthKey = QStringLiteral("Window/width");
const QString heightKey = QStringLiteral("Window/height");
const QString hiddenKey = QStringLiteral("Calendars/hidden");
const QString lastUsedKey = QStringLiteral("Calendars/lastUsed");
const QString declinedKey = QStringLiteral("Invitations/declined");
const QString undatedKey = QStringLiteral("Todos/undated");
const QString weekNumbersKey = QStringLiteral("Appearance/weekNumbers");
const QString focusShortcutKey = QStringLiteral("Keyboard/focusShortcut");

QByteArray boolText(bool value)
{
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

// Leaves `value` alone when the key is absent; a fault when it holds no boolean.
void readBool(const QSettings &file, const QString &key, bool &value, QStringList &faults)
{
    if (!file.contains(key))
        return;
    const QString text = file.value(key).toString();
    if (text == QLatin1String("true") || text == QLatin1String("false"))
        value = text == QLatin1String("true");
    else
        faults << QStringLiteral("%1 \"%2\" is neither true nor false").arg(key, text);
}

// Leaves `value` alone when the key is absent; a fault when it holds no number from min to max.
void readInt(const QSettings &file, const QString &key, int min, int max, int &value, QStringList &faults)
{
    if (!file.contains(key))
        return;
    bool ok = false;
    const QString text = file.value(key).toString();
    const int number = text.toInt(&ok);
    if (ok && number >= min && number <= max)
        value = number;
    else
        faults << QStringLiteral("%1 \"%2\" is no number from %3 to %4").arg(key, text).arg(min).arg(max);
}

// The index of `name` in `names`, or -1.
template<size_t N> int indexOf(const char *const (&names)[N], const QString &name)
{
    for (size_t i = 0; i < N; ++i) {
        if (name == QLatin1String(names[i]))
            return int(i);
    }
    return -1;
}

const char *const colourNames[] = {"desktop", "light", "dark"};
const char *const timeFormatNames[] = {"fixed", "locale", "24h", "12h"};
const char *const declinedNames[] = {"hide", "dim", "show"};
const char *const undatedNames[] = {"hide", "show"};

// IDs are the data server's to choose: each is percent-encoded, so that a comma or a line break in
// one cannot split it or break the file.
QByteArray idListText(const QStringList &ids)
{
    QByteArrayList encoded;
    for (const QString &id : ids)
        encoded << QUrl::toPercentEncoding(id);
    return encoded.join(',');
}

// QSettings reads almost anything as some keys; a file that is not even UTF-8 text is damaged.
bool isText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return Utf8Text::isValid(bytes) && !bytes.contains('\0');
}
} // namespace

QString WidgetSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           Instance::folderName() + QStringLiteral("/settings.conf");
}

WidgetSettings::WidgetSettings(const QString &path)
    : filePath(path)
{
    if (!QFileInfo::exists(path))
        return;
    const QSettings file(path, QSettings::IniFormat);
    QStringList faults;
    if (file.status() != QSettings::NoError || !isText(path))
        faults << QStringLiteral("it is no settings file");

    if (file.contains(coloursKey)) {
        const QString name = file.value(coloursKey).toString();
        int found = -1;
        for (int i = 0; i < 3; ++i) {
            if (name == QLatin1String(colourNames[i]))
                found = i;
        }
        if (found < 0)
            faults << QStringLiteral("colours \"%1\" is none of desktop, light, dark").arg(name);
        else
            chosenColours = Colours(found);
    }
    if (file.contains(keepPlaceKey)) {
        const QString keep = file.value(keepPlaceKey).toString();
        if (keep == QLatin1String("true") || keep == QLatin1String("false"))
            keepingPlace = keep == QLatin1String("true");
        else
            faults << QStringLiteral("keepPlace \"%1\" is neither true nor false").arg(keep);
    }
    readReminders(file, faults);
    readAppearance(file, faults);
    if (!faults.isEmpty()) {
        *this = WidgetSettings(QString());
        filePath = path;
        qCWarning(lcSettings).noquote()
            << QStringLiteral("The settings in \"%1\" are not used (%2); the widget "
                              "starts with its defaults.")
                   .arg(path, faults.join(QStringLiteral("; ")));
    }
}

void WidgetSettings::readReminders(const QSettings &file, QStringList &faults)
{
    readBool(file, remindersKey, reminding, faults);
    readBool(file, soundKey, sound, faults);
    readBool(file, desktopCalendarsKey, desktopCalendars, faults);
    if (file.contains(snoozeKey)) {
        bool ok = false;
        const QString text = file.value(snoozeKey).toString();
        const int minutes = text.toInt(&ok);
        if (ok && minutes >= minSnoozeMinutes && minutes <= maxSnoozeMinutes)
            snoozeLength = minutes;
        else
            faults << QStringLiteral("snoozeMinutes \"%1\" is no number of minutes from %2 to %3")
                          .arg(text)
                          .arg(minSnoozeMinutes)
                          .arg(maxSnoozeMinutes);
    }
}

void WidgetSettings::readAppearance(const QSettings &file, QStringList &faults)
{
    if (file.contains(timeFormatKey)) {
        const QString name = file.value(timeFormatKey).toString();
        const int found = indexOf(timeFormatNames, name);
        if (found < 0)
            faults << QStringLiteral("timeFormat \"%1\" is none of fixed, locale, 24h, 12h").arg(name);
        else
            chosenTimeFormat = TimeFormat(found);
    }
    if (file.contains(declinedKey)) {
        const QString name = file.value(declinedKey).toString();
        const int found = indexOf(declinedNames, name);
        if (found < 0)
            faults << QStringLiteral("declined \"%1\" is none of hide, dim, show").arg(name);
        else
            declinedShown = Declined(found);
    }
    if (file.contains(undatedKey)) {
        const QString name = file.value(undatedKey).toString();
        const int found = indexOf(undatedNames, name);
        if (found < 0)
            faults << QStringLiteral("undated \"%1\" is none of hide, show").arg(name);
        else
            undatedShown = found == 1;
    }
    readBool(file, weekNumbersKey, weekNumbersShown, faults);
    if (file.contains(focusShortcutKey))
        focusKey = file.value(focusShortcutKey).toString();
    readInt(file, opacityKey, 0, 255, tintAlpha, faults);
    if (file.contains(textSizeKey) && file.value(textSizeKey).toString() == QLatin1String("desktop"))
        textPoints = 0;
    else
        readInt(file, textSizeKey, minTextSize, maxTextSize, textPoints, faults);
    int width = panel.width();
    int height = panel.height();
    readInt(file, widthKey, minPanelSize.width(), maxPanelSize.width(), width, faults);
    readInt(file, heightKey, minPanelSize.height(), maxPanelSize.height(), height, faults);
    panel = QSize(width, height);
    // QSettings would split the list at its commas and unquote it: read as written.
    if (file.contains(hiddenKey)) {
        const QString text = file.value(hiddenKey).toStringList().join(QLatin1Char(','));
        for (const QString &id : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
            hidden << QUrl::fromPercentEncoding(id.toLatin1());
    }
    if (file.contains(lastUsedKey))
        lastUsedCalendar = QUrl::fromPercentEncoding(file.value(lastUsedKey).toString().toLatin1());
}

bool WidgetSettings::setCalendarHidden(const QString &id, bool hide, QString *error)
{
    hidden.removeAll(id);
    if (hide)
        hidden << id;
    return save(error);
}

bool WidgetSettings::setLastCalendar(const QString &id, QString *error)
{
    lastUsedCalendar = id;
    return save(error);
}

bool WidgetSettings::setTimeFormat(TimeFormat format, QString *error)
{
    chosenTimeFormat = format;
    return save(error);
}

bool WidgetSettings::setDeclined(Declined shown, QString *error)
{
    declinedShown = shown;
    return save(error);
}

bool WidgetSettings::setUndatedTodos(bool shown, QString *error)
{
    undatedShown = shown;
    return save(error);
}

bool WidgetSettings::setWeekNumbers(bool shown, QString *error)
{
    weekNumbersShown = shown;
    return save(error);
}

bool WidgetSettings::setFocusShortcut(const QString &key, QString *error)
{
    focusKey = key;
    return save(error);
}

bool WidgetSettings::setOpacity(int alpha, QString *error)
{
    tintAlpha = qBound(0, alpha, 255);
    return save(error);
}

bool WidgetSettings::setTextSize(int points, QString *error)
{
    textPoints = points <= 0 ? 0 : qBound(int(minTextSize), points, int(maxTextSize));
    return save(error);
}

bool WidgetSettings::setPanelSize(const QSize &size, QString *error)
{
    panel = size.expandedTo(minPanelSize).boundedTo(maxPanelSize);
    return save(error);
}

bool WidgetSettings::setReminders(bool on, QString *error)
{
    reminding = on;
    return save(error);
}

bool WidgetSettings::setSnoozeMinutes(int minutes, QString *error)
{
    snoozeLength = qBound(int(minSnoozeMinutes), minutes, int(maxSnoozeMinutes));
    return save(error);
}

bool WidgetSettings::setReminderSound(bool on, QString *error)
{
    sound = on;
    return save(error);
}

bool WidgetSettings::setRemindDesktopCalendars(bool on, QString *error)
{
    desktopCalendars = on;
    return save(error);
}

bool WidgetSettings::setColours(Colours colours, QString *error)
{
    chosenColours = colours;
    return save(error);
}

bool WidgetSettings::setKeepPlace(bool keep, QString *error)
{
    keepingPlace = keep;
    return save(error);
}

bool WidgetSettings::save(QString *error)
{
    // Written whole each time, so that a file that was damaged comes out clean.
    QByteArray text =
        QByteArrayLiteral("[Appearance]\ncolours=") + colourNames[int(chosenColours)] +
        QByteArrayLiteral("\ntimeFormat=") + timeFormatNames[int(chosenTimeFormat)] +
        QByteArrayLiteral("\nopacity=") + QByteArray::number(tintAlpha) + QByteArrayLiteral("\ntextSize=") +
        (textPoints ? QByteArray::number(textPoints) : QByteArrayLiteral("desktop")) +
        (weekNumbersShown ? QByteArrayLiteral("\nweekNumbers=true") : QByteArray()) +
        QByteArrayLiteral("\n\n[Window]\nkeepPlace=") + boolText(keepingPlace) +
        QByteArrayLiteral("\nwidth=") + QByteArray::number(panel.width()) + QByteArrayLiteral("\nheight=") +
        QByteArray::number(panel.height()) + QByteArrayLiteral("\n\n[Reminders]\nenabled=") +
        boolText(reminding) + QByteArrayLiteral("\nsnoozeMinutes=") + QByteArray::number(snoozeLength) +
        QByteArrayLiteral("\nsound=") + boolText(sound) + QByteArrayLiteral("\ndesktopCalendars=") +
        boolText(desktopCalendars) + '\n';
    // Only once chosen: the file of a panel that never saw an invitation stays as it was.
    if (declinedShown != Declined::Hide)
        text += QByteArrayLiteral("\n[Invitations]\ndeclined=") + declinedNames[int(declinedShown)] + '\n';
    if (!undatedShown)
        text += QByteArrayLiteral("\n[Todos]\nundated=hide\n");
    // Only once changed, as the declined ones.
    if (focusKey != QLatin1String(defaultFocusShortcut))
        text += QByteArrayLiteral("\n[Keyboard]\nfocusShortcut=") + focusKey.toUtf8() + '\n';
    if (!hidden.isEmpty() || !lastUsedCalendar.isEmpty())
        text += QByteArrayLiteral("\n[Calendars]\n");
    if (!hidden.isEmpty())
        text += QByteArrayLiteral("hidden=") + idListText(hidden) + '\n';
    if (!lastUsedCalendar.isEmpty())
        text += QByteArrayLiteral("lastUsed=") + QUrl::toPercentEncoding(lastUsedCalendar) + '\n';
    const QString directory = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create %1").arg(directory);
        return false;
    }
    return saveFileAtomically(filePath, text, error);
}
