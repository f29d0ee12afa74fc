#include "accountstore.h"

#include "accountpaths.h"
#include "accountslog.h"
#include "calendarsconf.h"
#include "calendarslist.h"
#include "savefile.h"
#include "secretstore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace AccountStore {
namespace {

// Conflicts: the server's version wins (see the README's "Online calendars").
constexpr char conflictPolicy[] = "b wins";

QByteArray json(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray jsonList(const QStringList &texts)
{
    return QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact);
}

QJsonObject toJson(const Account &account)
{
    QJsonArray calendars;
    for (const DavCalendar &calendar : account.calendars)
        calendars.append(QJsonObject{{QStringLiteral("url"), calendar.url.toString()},
                                     {QStringLiteral("collection"), calendar.collection},
                                     {QStringLiteral("name"), calendar.name},
                                     {QStringLiteral("color"), calendar.color},
                                     {QStringLiteral("events"), calendar.events}});
    return {{QStringLiteral("id"), account.id},
            {QStringLiteral("address"), account.address},
            {QStringLiteral("user"), account.user},
            {QStringLiteral("principal"), account.principal.toString()},
            {QStringLiteral("calendars"), calendars},
            {QStringLiteral("enabled"), QJsonArray::fromStringList(account.enabled)}};
}

Account fromJson(const QJsonObject &object)
{
    Account account;
    account.id = object.value(QStringLiteral("id")).toString();
    account.address = object.value(QStringLiteral("address")).toString();
    account.user = object.value(QStringLiteral("user")).toString();
    account.principal = QUrl(object.value(QStringLiteral("principal")).toString());
    const QJsonArray calendars = object.value(QStringLiteral("calendars")).toArray();
    for (const QJsonValue &value : calendars) {
        const QJsonObject o = value.toObject();
        DavCalendar calendar;
        calendar.url = QUrl(o.value(QStringLiteral("url")).toString());
        calendar.collection = o.value(QStringLiteral("collection")).toString();
        calendar.name = o.value(QStringLiteral("name")).toString();
        calendar.color = o.value(QStringLiteral("color")).toString();
        calendar.events = o.value(QStringLiteral("events")).toBool(true);
        account.calendars.append(calendar);
    }
    for (const QJsonValue &value : object.value(QStringLiteral("enabled")).toArray())
        account.enabled << value.toString();
    return account;
}

// accounts.json and vdirsyncer.conf, the configuration last: the data server follows it.
bool save(const QVector<Account> &accounts, QString *error)
{
    QJsonArray array;
    for (const Account &account : accounts)
        array.append(toJson(account));
    const QString directory = QFileInfo(AccountPaths::accountsFile()).absolutePath();
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create %1").arg(directory);
        return false;
    }
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return saveFileAtomically(AccountPaths::accountsFile(), QJsonDocument(array).toJson(), error, owner) &&
           saveFileAtomically(AccountPaths::vdirsyncerConfig(), vdirsyncerConfig(accounts), error, owner);
}

QString confEntry(const QString &folder)
{
    return CalendarsList::homeRelative(QDir::cleanPath(folder));
}

// Adds and removes the lines of folders in calendars.conf; a new file starts as the server's own
// first start would write it, so that new jobs keep their home in the default calendar.
bool editConf(const QStringList &add, const QStringList &drop, QString *error)
{
    const QString path = CalendarsConf::defaultPath();
    if (!QFile::exists(path) && !add.isEmpty()) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
            !saveFileAtomically(path, CalendarsList::exampleText(CalendarsList::defaultCalendarPath()),
                                error))
            return false;
    }
    CalendarsConf conf;
    if (!conf.load(error))
        return false;
    for (const QString &folder : add)
        conf.add(folder);
    for (const QString &folder : drop)
        conf.remove(confEntry(folder));
    return conf.save(error);
}

// An empty folder for the collection, with the name and colour the server gave, as vdirsyncer's
// metasync writes them: the data server names the calendar from these files.
bool makeFolder(const QString &folder, const DavCalendar &calendar, QString *error)
{
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!saveFileAtomically(folder + QStringLiteral("displayname"), calendar.name.toUtf8(), error))
        return false;
    return calendar.color.isEmpty() ||
           saveFileAtomically(folder + QStringLiteral("color"), calendar.color.toUtf8(), error);
}

// vdirsyncer's memory of a collection: without it, a new empty folder is taken for the deletion of
// every event (which the data server passes on for the folders of its own), not for a fresh start.
void forgetSynced(const QString &account, const QString &collection)
{
    const QString status = AccountPaths::vdirsyncerStatusDir() + account + QLatin1Char('/') + collection;
    QFile::remove(status + QStringLiteral(".items"));
    QFile::remove(status + QStringLiteral(".metadata"));
}

QStringList foldersOf(const Account &account, const QStringList &collections)
{
    QStringList folders;
    for (const QString &collection : collections)
        folders << folderOf(account.id, collection);
    return folders;
}

int indexOf(const QVector<Account> &accounts, const QString &id)
{
    for (int i = 0; i < accounts.size(); ++i) {
        if (accounts.at(i).id == id)
            return i;
    }
    return -1;
}

} // namespace

bool load(QVector<Account> &accounts, QString *error)
{
    accounts.clear();
    QFile file(AccountPaths::accountsFile());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (!document.isArray()) {
        *error = QStringLiteral("%1 is damaged: %2").arg(file.fileName(), parse.errorString());
        return false;
    }
    for (const QJsonValue &value : document.array()) {
        const Account account = fromJson(value.toObject());
        if (!account.id.isEmpty())
            accounts.append(account);
    }
    return true;
}

QString newId()
{
    return QStringLiteral("account_%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

QString folderOf(const QString &account, const QString &collection)
{
    return AccountPaths::accountFolder(account) + collection + QLatin1Char('/');
}

QByteArray vdirsyncerConfig(const QVector<Account> &accounts)
{
    QByteArray text =
        "# Written by the calendar widget's settings (Online accounts); changes here are replaced.\n"
        "[general]\nstatus_path = " +
        json(AccountPaths::vdirsyncerStatusDir()) + "\n";
    for (const Account &account : accounts) {
        const QByteArray id = account.id.toUtf8();
        QStringList fetch{QStringLiteral("command"), QStringLiteral("secret-tool")};
        fetch += SecretStore::lookupArguments(account.id);
        text += "\n[pair " + id + "]\na = \"" + id + "_local\"\nb = \"" + id +
                "_remote\"\ncollections = " + jsonList(account.enabled) + "\nconflict_resolution = \"" +
                conflictPolicy + "\"\n";
        text += "\n[storage " + id +
                "_local]\ntype = \"filesystem\"\npath = " + json(AccountPaths::accountFolder(account.id)) +
                "\nfileext = \".ics\"\n";
        text += "\n[storage " + id +
                "_remote]\ntype = \"caldav\"\nurl = " + json(account.principal.toString()) +
                "\nusername = " + json(account.user) + "\npassword.fetch = " + jsonList(fetch) + "\n";
    }
    return text;
}

bool add(const Account &account, QString *error)
{
    QVector<Account> accounts;
    if (!load(accounts, error))
        return false;
    QStringList made;
    bool ok = true;
    for (const DavCalendar &calendar : account.calendars) {
        if (!account.enabled.contains(calendar.collection))
            continue;
        made << folderOf(account.id, calendar.collection);
        if (!(ok = makeFolder(made.last(), calendar, error)))
            break;
    }
    const QVector<Account> before = accounts;
    accounts.append(account);
    ok = ok && save(accounts, error);
    if (ok && !editConf(made, {}, error)) {
        QString ignored;
        (void)save(before, &ignored);
        ok = false;
    }
    if (!ok)
        QDir(AccountPaths::accountFolder(account.id)).removeRecursively();
    return ok;
}

bool setEnabled(const QString &id, const QString &collection, bool on, QString *error)
{
    QVector<Account> accounts;
    if (!load(accounts, error))
        return false;
    const int index = indexOf(accounts, id);
    if (index < 0) {
        *error = QStringLiteral("no account %1").arg(id);
        return false;
    }
    Account &account = accounts[index];
    if (account.enabled.contains(collection) == on)
        return true;
    const QString folder = folderOf(id, collection);
    if (on) {
        // Also here: a sync that ran while it was switched off may have written it again.
        forgetSynced(id, collection);
        for (const DavCalendar &calendar : std::as_const(account.calendars)) {
            if (calendar.collection == collection && !makeFolder(folder, calendar, error))
                return false;
        }
        account.enabled << collection;
        return save(accounts, error) && editConf({folder}, {}, error);
    }
    account.enabled.removeAll(collection);
    // Off: the widget stops showing it first, then vdirsyncer forgets it.
    if (!editConf({}, {folder}, error) || !save(accounts, error))
        return false;
    QDir(folder).removeRecursively();
    forgetSynced(id, collection);
    return true;
}

bool remove(const QString &id, QString *error)
{
    QVector<Account> accounts;
    if (!load(accounts, error))
        return false;
    const int index = indexOf(accounts, id);
    if (index < 0)
        return true;
    const Account account = accounts.takeAt(index);
    if (!editConf({}, foldersOf(account, account.enabled), error) || !save(accounts, error))
        return false;
    QDir(AccountPaths::accountFolder(id)).removeRecursively();
    // vdirsyncer keeps a folder per pair and a list of its collections beside it.
    QDir(AccountPaths::vdirsyncerStatusDir() + id).removeRecursively();
    QFile::remove(AccountPaths::vdirsyncerStatusDir() + id + QStringLiteral(".collections"));
    return true;
}

QString syncFailure(const QString &account, bool *known)
{
    QFile file(AccountPaths::syncStatusFile());
    const QJsonObject status =
        file.open(QIODevice::ReadOnly)
            ? QJsonDocument::fromJson(file.readAll()).object().value(account).toObject()
            : QJsonObject();
    if (known)
        *known = !status.isEmpty();
    return status.value(QStringLiteral("error")).toString();
}

} // namespace AccountStore
