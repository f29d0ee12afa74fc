#include "reminderstore.h"

#include "desktoplog.h"
#include "savefile.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

#include <algorithm>

namespace {
const QString shownWord = QStringLiteral("shown");
const QString snoozedWord = QStringLiteral("snoozed");

// Numbers from `first` on; false when one is not a number.
bool numbers(const QStringList &fields, int first, QVector<qint64> &out)
{
    for (int i = first; i < fields.size(); ++i) {
        bool ok = false;
        out.append(fields.at(i).toLongLong(&ok));
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

ReminderStore::ReminderStore(const QString &path)
    : path(path)
{
    load();
}

void ReminderStore::load()
{
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int size = int(fields.size());
        Record record;
        QVector<qint64> n;
        if (size == 3 && numbers(fields, 0, n)) {
            record.reminder = {qint32(n[0]), qint32(n[1]), n[2], 0};
        } else if (size == 6 && fields.first() == shownWord && numbers(fields, 1, n)) {
            record = {Shown, {qint32(n[0]), qint32(n[1]), n[2], n[3]}, n[4], 0};
        } else if (size == 7 && fields.first() == snoozedWord && numbers(fields, 1, n)) {
            record = {Snoozed, {qint32(n[0]), qint32(n[1]), n[2], n[3]}, n[4], n[5]};
        } else {
            continue; // a line of a later widget, or damage: either way nothing to act on
        }
        records.append(record);
    }
}

int ReminderStore::find(Kind kind, const Reminder &reminder) const
{
    for (int i = 0; i < records.size(); ++i) {
        if (records.at(i).kind == kind && records.at(i).reminder == reminder)
            return i;
    }
    return -1;
}

bool ReminderStore::countdownTold(qint32 id, qint32 recurId, qint64 beginMs) const
{
    return find(CountdownEnd, {id, recurId, beginMs, 0}) >= 0;
}

void ReminderStore::markCountdownTold(qint32 id, qint32 recurId, qint64 beginMs)
{
    if (!countdownTold(id, recurId, beginMs))
        records.append({CountdownEnd, {id, recurId, beginMs, 0}, 0, 0});
}

bool ReminderStore::shown(const Reminder &reminder) const
{
    return find(Shown, reminder) >= 0;
}

void ReminderStore::markShown(const Reminder &reminder, qint64 endMs)
{
    if (!shown(reminder))
        records.append({Shown, reminder, endMs, 0});
}

qint64 ReminderStore::snoozedUntil(const Reminder &reminder) const
{
    const int i = find(Snoozed, reminder);
    return i < 0 ? 0 : records.at(i).untilMs;
}

void ReminderStore::snooze(const Reminder &reminder, qint64 endMs, qint64 untilMs)
{
    const int i = find(Snoozed, reminder);
    if (i >= 0)
        records[i].untilMs = untilMs;
    else
        records.append({Snoozed, reminder, endMs, untilMs});
}

void ReminderStore::dropSnooze(const Reminder &reminder)
{
    const int i = find(Snoozed, reminder);
    if (i >= 0)
        records.remove(i);
}

QVector<ReminderStore::Snooze> ReminderStore::snoozes() const
{
    QVector<Snooze> out;
    for (const Record &record : records) {
        if (record.kind == Snoozed)
            out.append({record.reminder, record.untilMs});
    }
    return out;
}

void ReminderStore::save(qint64 nowMs)
{
    const qint64 oldest = nowMs - qint64(keepDays) * 24 * 3600 * 1000;
    // A countdown is over at its begin; a reminder's record must outlive its event, or a restart
    // during a long event would show it again.
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [oldest](const Record &r) {
                                     return (r.kind == CountdownEnd ? r.reminder.beginMs : r.endMs) < oldest;
                                 }),
                  records.end());
    if (path.isEmpty())
        return;
    QByteArray text;
    for (const Record &r : std::as_const(records)) {
        const Reminder &o = r.reminder;
        if (r.kind == Shown)
            text += shownWord.toLatin1() + ' ';
        else if (r.kind == Snoozed)
            text += snoozedWord.toLatin1() + ' ';
        text += QByteArray::number(o.id) + ' ' + QByteArray::number(o.recurId) + ' ' + QByteArray::number(o.beginMs);
        if (r.kind != CountdownEnd)
            text += ' ' + QByteArray::number(o.momentMs) + ' ' + QByteArray::number(r.endMs);
        if (r.kind == Snoozed)
            text += ' ' + QByteArray::number(r.untilMs);
        text += '\n';
    }
    QString error;
    if (!saveFileAtomically(path, text, &error))
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Cannot keep the notified reminders in \"%1\": %2").arg(path, error);
}
