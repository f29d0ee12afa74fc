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

namespace {
const QString coloursKey = QStringLiteral("Appearance/colours");
const QString keepPlaceKey = QStringLiteral("Window/keepPlace");
const QString remindersKey = QStringLiteral("Reminders/enabled");
const QString snoozeKey = QStringLiteral("Reminders/snoozeMinutes");
const QString soundKey = QStringLiteral("Reminders/sound");
const QString desktopCalendarsKey = QStringLiteral("Reminders/desktopCalendars");

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

const char *const colourNames[] = {"desktop", "light", "dark"};

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
    const QByteArray text = QByteArrayLiteral("[Appearance]\ncolours=") + colourNames[int(chosenColours)] +
                            QByteArrayLiteral("\n\n[Window]\nkeepPlace=") + boolText(keepingPlace) +
                            QByteArrayLiteral("\n\n[Reminders]\nenabled=") + boolText(reminding) +
                            QByteArrayLiteral("\nsnoozeMinutes=") + QByteArray::number(snoozeLength) +
                            QByteArrayLiteral("\nsound=") + boolText(sound) +
                            QByteArrayLiteral("\ndesktopCalendars=") + boolText(desktopCalendars) + '\n';
    const QString directory = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create %1").arg(directory);
        return false;
    }
    return saveFileAtomically(filePath, text, error);
}
