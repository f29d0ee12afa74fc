#include "akonadicalendars.h"

#include "serverlog.h"
#include "warnonce.h"

#ifndef TASKLIST_AKONADI

struct AkonadiCalendars::Private
{
};

AkonadiCalendars::AkonadiCalendars(QObject *parent)
    : DesktopSource(parent)
{
}

AkonadiCalendars::~AkonadiCalendars() = default;

bool AkonadiCalendars::built()
{
    return false;
}

void AkonadiCalendars::setStartsAkonadi(bool)
{
}

void AkonadiCalendars::start()
{
    qCInfo(lcDataServer).noquote() << QStringLiteral("built without Akonadi: KDE's calendars are not served");
}

QVector<DesktopSource::Calendar> AkonadiCalendars::calendars() const
{
    return {};
}

QByteArray AkonadiCalendars::textOf(const QString &) const
{
    return {};
}

const DesktopSource::Parsed *AkonadiCalendars::parsedOf(const QString &) const
{
    return nullptr;
}

void AkonadiCalendars::write(const QString &, const QVector<Change> &, Written done)
{
    done(Failure::Failed, QStringLiteral("built without Akonadi"));
}

#else

#include "akonadiitems.h"

#include <Akonadi/AttributeFactory>
#include <Akonadi/CollectionColorAttribute>
#include <Akonadi/CollectionFetchJob>
#include <Akonadi/CollectionFetchScope>
#include <Akonadi/ItemCreateJob>
#include <Akonadi/ItemDeleteJob>
#include <Akonadi/ItemFetchJob>
#include <Akonadi/ItemFetchScope>
#include <Akonadi/ItemModifyJob>
#include <Akonadi/Monitor>
#include <Akonadi/ServerManager>
#include <Akonadi/Session>

#include <KCalendarCore/Event>
#include <KCalendarCore/Todo>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QPointer>

#include <algorithm>

namespace {

// Akonadi that went away is listed again this long after it is back, once its agents are up.
constexpr int relistDelayMs = 200;

QStringList calendarMimeTypes()
{
    return {KCalendarCore::Event::eventMimeType(), KCalendarCore::Todo::todoMimeType()};
}

bool holdsCalendar(const Akonadi::Collection &collection)
{
    const QStringList types = collection.contentMimeTypes();
    const QStringList wanted = calendarMimeTypes();
    return std::any_of(wanted.cbegin(), wanted.cend(),
                       [&types](const QString &type) { return types.contains(type); });
}

} // namespace

struct AkonadiCalendars::Private
{
    struct Collection
    {
        Akonadi::Collection collection;
        CalendarIdentity identity;
        AkonadiItems items;
        bool complete = false; // its items are in: it is served from then on
    };

    AkonadiCalendars *q = nullptr;
    bool startsAkonadi = false;
    bool running = false;
    QDBusServiceWatcher *watcher = nullptr;
    // Made anew each time Akonadi comes, dropped when it goes.
    QPointer<Akonadi::Session> session;
    QPointer<Akonadi::Monitor> itemMonitor;
    QPointer<Akonadi::Monitor> collectionMonitor;
    QHash<Akonadi::Collection::Id, Collection> collections;
    bool listed = false;
    bool listing = false;
    bool listAgain = false;
    QTimer relist;
    WarnOnce said;

    void say(const QString &subject, const QString &text)
    {
        if (said.firstTime(subject, text))
            qCWarning(lcDataServer).noquote() << text;
    }

    static QString serverService()
    {
        return Akonadi::ServerManager::serviceName(Akonadi::ServerManager::Server);
    }

    void askRunning()
    {
        const QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                                QStringLiteral("/org/freedesktop/DBus"),
                                                                QStringLiteral("org.freedesktop.DBus"),
                                                                QStringLiteral("NameHasOwner"))
                                 << serverService();
        auto *call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask), q);
        QObject::connect(call, &QDBusPendingCallWatcher::finished, q, [this](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            const QDBusPendingReply<bool> owned = *w;
            if (owned.isValid() && owned.value())
                arrived(Listing::Now);
            else if (!running)
                absent();
        });
    }

    void absent()
    {
        if (!startsAkonadi) {
            qCInfo(lcDataServer).noquote()
                << QStringLiteral("Akonadi does not run; KDE's calendars are served once it starts");
            return;
        }
        qCInfo(lcDataServer).noquote() << QStringLiteral("Akonadi does not run; it is started");
        // akonadi_control is started detached; its server comes on the bus later, as `watcher` tells.
        if (!Akonadi::ServerManager::start())
            say(QStringLiteral("start"),
                QStringLiteral("Akonadi cannot be started; KDE's calendars are not served"));
    }

    enum class Listing { Now, Later };

    // Akonadi running when the server starts is listed at once: the first answer waits for it.
    void arrived(Listing when)
    {
        if (running)
            return;
        running = true;
        said.forget(QStringLiteral("gone"));
        const QString name = QStringLiteral("tasklist-dataserver-%1").arg(QCoreApplication::applicationPid());
        session = new Akonadi::Session(name.toUtf8(), q);
        follow();
        if (when == Listing::Now)
            list();
        else
            relist.start();
    }

    void follow()
    {
        itemMonitor = new Akonadi::Monitor(q);
        itemMonitor->setSession(session);
        for (const QString &type : calendarMimeTypes())
            itemMonitor->setMimeTypeMonitored(type);
        itemMonitor->itemFetchScope().fetchFullPayload(true);
        itemMonitor->itemFetchScope().setAncestorRetrieval(Akonadi::ItemFetchScope::Parent);
        QObject::connect(itemMonitor, &Akonadi::Monitor::itemAdded, q,
                         [this](const Akonadi::Item &item, const Akonadi::Collection &collection) {
                             itemIn(item, collection.id());
                         });
        QObject::connect(itemMonitor, &Akonadi::Monitor::itemChanged, q,
                         [this](const Akonadi::Item &item) { itemIn(item, item.parentCollection().id()); });
        QObject::connect(
            itemMonitor, &Akonadi::Monitor::itemMoved, q,
            [this](const Akonadi::Item &item, const Akonadi::Collection &, const Akonadi::Collection &to) {
                itemGone(item);
                itemIn(item, to.id());
            });
        QObject::connect(itemMonitor, &Akonadi::Monitor::itemRemoved, q,
                         [this](const Akonadi::Item &item) { itemGone(item); });

        // Collections by a monitor of their own: one of all collections would fetch every mail too.
        collectionMonitor = new Akonadi::Monitor(q);
        collectionMonitor->setSession(session);
        collectionMonitor->setTypeMonitored(Akonadi::Monitor::Collections);
        collectionMonitor->setAllMonitored(true);
        const auto again = [this] { relist.start(); };
        QObject::connect(collectionMonitor, &Akonadi::Monitor::collectionAdded, q, again);
        QObject::connect(collectionMonitor,
                         qOverload<const Akonadi::Collection &>(&Akonadi::Monitor::collectionChanged), q,
                         again);
        QObject::connect(collectionMonitor, &Akonadi::Monitor::collectionRemoved, q, again);
        QObject::connect(collectionMonitor, &Akonadi::Monitor::collectionMoved, q, again);
    }

    void gone()
    {
        if (!running)
            return;
        running = false;
        say(QStringLiteral("gone"),
            QStringLiteral("Akonadi stopped; KDE's calendars leave until it is back"));
        abandonWrites(QStringLiteral("Akonadi stopped"));
        delete itemMonitor;
        delete collectionMonitor;
        if (session)
            session->deleteLater(); // its jobs may be finishing
        listed = listing = listAgain = false;
        const bool had = std::any_of(collections.cbegin(), collections.cend(),
                                     [](const Collection &c) { return c.complete; });
        collections.clear();
        if (had)
            q->m_settle.start();
    }

    void list()
    {
        if (!running)
            return;
        if (listing) {
            listAgain = true;
            return;
        }
        listing = true;
        auto *job = new Akonadi::CollectionFetchJob(Akonadi::Collection::root(),
                                                    Akonadi::CollectionFetchJob::Recursive, session);
        job->fetchScope().setContentMimeTypes(calendarMimeTypes());
        job->fetchScope().setListFilter(Akonadi::CollectionFetchScope::NoFilter);
        QObject::connect(job, &KJob::result, q, [this, job] { listedAll(job); });
    }

    void listedAll(Akonadi::CollectionFetchJob *job)
    {
        listing = false;
        if (job->error()) {
            say(QStringLiteral("list"),
                QStringLiteral("Akonadi's calendars cannot be listed (%1)").arg(job->errorString()));
        } else {
            said.forget(QStringLiteral("list"));
            take(job->collections());
        }
        if (std::exchange(listAgain, false))
            list();
    }

    // Opens the collections not open yet, describes those open again, and closes those that left.
    void take(const Akonadi::Collection::List &found)
    {
        QSet<Akonadi::Collection::Id> wanted;
        bool changed = false;
        for (const Akonadi::Collection &collection : found) {
            // Disabled in Akonadi (KOrganizer's check box, the account's own choice): not shown there either.
            if (!holdsCalendar(collection) || collection.isVirtual() ||
                !collection.shouldList(Akonadi::Collection::ListDisplay))
                continue;
            wanted.insert(collection.id());
            auto open = collections.find(collection.id());
            if (open == collections.end()) {
                Collection &c = collections[collection.id()];
                c.collection = collection;
                c.identity = identityOf(collection);
                fetchItems(collection);
                continue;
            }
            const CalendarIdentity identity = identityOf(collection);
            open->collection = collection;
            changed |= open->complete && identity != open->identity;
            open->identity = identity;
        }
        for (auto it = collections.begin(); it != collections.end();) {
            if (wanted.contains(it.key())) {
                ++it;
                continue;
            }
            changed |= it->complete;
            it = collections.erase(it);
        }
        listed = true;
        if (changed)
            q->m_settle.start();
        else
            opened();
    }

    static CalendarIdentity identityOf(const Akonadi::Collection &collection)
    {
        CalendarIdentity identity;
        identity.name = collection.displayName();
        if (const auto *color = collection.attribute<Akonadi::CollectionColorAttribute>()) {
            if (color->color().isValid())
                identity.color = color->color().name();
        }
        identity.writable = collection.rights() & Akonadi::Collection::CanChangeItem;
        return identity;
    }

    void fetchItems(const Akonadi::Collection &collection)
    {
        auto *job = new Akonadi::ItemFetchJob(collection, session);
        job->fetchScope().fetchFullPayload(true);
        // Each batch taken as it comes: its text is made while Akonadi sends the next one.
        job->setDeliveryOption(Akonadi::ItemFetchJob::EmitItemsInBatches);
        const Akonadi::Collection::Id id = collection.id();
        QObject::connect(job, &Akonadi::ItemFetchJob::itemsReceived, q,
                         [this, id](const Akonadi::Item::List &items) {
                             const auto c = collections.find(id);
                             if (c == collections.end())
                                 return; // left meanwhile
                             for (const Akonadi::Item &item : items)
                                 c->items.take(item);
                         });
        QObject::connect(job, &KJob::result, q, [this, job, id] {
            const auto c = collections.find(id);
            if (c == collections.end())
                return; // left meanwhile
            if (job->error())
                say(QString::number(id),
                    QStringLiteral("the Akonadi calendar %1 cannot be read (%2); it is served empty")
                        .arg(c->identity.name, job->errorString()));
            c->complete = true;
            opened();
        });
    }

    // The last collection still opening is served at once: at start the settle time would only
    // delay the first answer that holds them.
    void opened()
    {
        const bool allOpen = listed && std::all_of(collections.cbegin(), collections.cend(),
                                                   [](const Collection &c) { return c.complete; });
        if (!allOpen)
            return;
        q->m_settle.stop();
        Q_EMIT q->changed();
    }

    void itemIn(const Akonadi::Item &item, Akonadi::Collection::Id collection)
    {
        const auto c = collections.find(collection);
        if (c == collections.end())
            return;
        if (c->items.take(item) && c->complete)
            q->m_settle.start();
    }

    void itemGone(const Akonadi::Item &item)
    {
        for (Collection &c : collections) {
            if (c.items.remove(item.id()) && c.complete)
                q->m_settle.start();
        }
    }

    // One write() on its way: its steps, the job in flight, and the bound on Akonadi's answer.
    struct Write
    {
        Akonadi::Collection::Id collection = -1;
        QVector<Change> changes;
        int next = 0;
        QTimer bound;
        Written done;
    };
    using WritePtr = std::shared_ptr<Write>;
    QHash<Write *, WritePtr> writes;

    void finish(Write *raw, Failure failure, const QString &message)
    {
        const WritePtr w = writes.take(raw);
        if (!w)
            return;
        const Written done = std::move(w->done);
        done(failure, message);
    }

    void abandonWrites(const QString &why)
    {
        const QList<Write *> pending = writes.keys();
        for (Write *raw : pending)
            finish(raw, Failure::Failed, why);
    }

    void step(Write *raw)
    {
        const WritePtr w = writes.value(raw);
        if (!w)
            return;
        const auto c = collections.constFind(w->collection);
        if (c == collections.cend() || !session) {
            finish(raw, Failure::Failed, QStringLiteral("the calendar left Akonadi meanwhile"));
            return;
        }
        if (w->next == w->changes.size()) {
            finish(raw, Failure::None, {});
            return;
        }
        const Change &change = w->changes.at(w->next++);
        QString why;
        KJob *job = jobFor(change, *c, &why);
        if (!job) {
            finish(raw, why.isEmpty() ? Failure::NotFound : Failure::Failed,
                   why.isEmpty() ? QStringLiteral("no such job in the Akonadi calendar") : why);
            return;
        }
        QObject::connect(job, &KJob::result, q, [this, raw, job] {
            if (job->error())
                finish(raw, Failure::Failed, job->errorString());
            else
                step(raw);
        });
    }

    // The job that makes the change, or none, with why in `why` (empty: nothing of that UID).
    KJob *jobFor(const Change &change, const Collection &c, QString *why)
    {
        if (change.kind == Change::RemoveSeries) {
            const Akonadi::Item::List items = c.items.itemsOf(change.uid);
            return items.isEmpty() ? nullptr : new Akonadi::ItemDeleteJob(items, session);
        }
        const KCalendarCore::Incidence::Ptr incidence = AkonadiItems::incidenceOf(change.component);
        if (!incidence) {
            *why = QStringLiteral("the change is no iCalendar component");
            return nullptr;
        }
        Akonadi::Item item = change.kind == Change::Create ? Akonadi::Item() : c.items.itemOf(*incidence);
        if (!item.isValid()) {
            // An occurrence moved for the first time is an item of its own.
            if (change.kind == Change::ModifySeries)
                return nullptr;
            Akonadi::Item fresh;
            fresh.setMimeType(incidence->mimeType());
            fresh.setPayload<KCalendarCore::Incidence::Ptr>(incidence);
            return new Akonadi::ItemCreateJob(fresh, c.collection, session);
        }
        item.setPayload<KCalendarCore::Incidence::Ptr>(incidence);
        return new Akonadi::ItemModifyJob(item, session);
    }
};

AkonadiCalendars::AkonadiCalendars(QObject *parent)
    : DesktopSource(parent)
    , d(std::make_unique<Private>())
{
    d->q = this;
    Akonadi::AttributeFactory::registerAttribute<Akonadi::CollectionColorAttribute>();
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &AkonadiCalendars::changed);
    d->relist.setSingleShot(true);
    d->relist.setInterval(relistDelayMs);
    connect(&d->relist, &QTimer::timeout, this, [this] { d->list(); });
}

AkonadiCalendars::~AkonadiCalendars()
{
    d->abandonWrites(QStringLiteral("the server stops"));
}

bool AkonadiCalendars::built()
{
    return true;
}

void AkonadiCalendars::setStartsAkonadi(bool on)
{
    const bool started = d->watcher && !d->running && on && !d->startsAkonadi;
    d->startsAkonadi = on;
    if (started)
        d->absent();
}

void AkonadiCalendars::start()
{
    if (!d->watcher) {
        d->watcher = new QDBusServiceWatcher(Private::serverService(), QDBusConnection::sessionBus(),
                                             QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(d->watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { d->gone(); });
        connect(d->watcher, &QDBusServiceWatcher::serviceRegistered, this,
                [this] { d->arrived(Private::Listing::Later); });
    }
    d->askRunning();
}

QVector<DesktopSource::Calendar> AkonadiCalendars::calendars() const
{
    QVector<Calendar> out;
    for (auto it = d->collections.cbegin(); it != d->collections.cend(); ++it) {
        if (it->complete)
            out << Calendar{QString::number(it.key()), it->identity, {}};
    }
    std::sort(out.begin(), out.end(), [](const Calendar &a, const Calendar &b) {
        return a.identity.name != b.identity.name ? a.identity.name < b.identity.name : a.uid < b.uid;
    });
    return out;
}

QByteArray AkonadiCalendars::textOf(const QString &uid) const
{
    const auto c = d->collections.find(uid.toLongLong());
    return c != d->collections.end() && c->complete ? c->items.text() : QByteArray();
}

const DesktopSource::Parsed *AkonadiCalendars::parsedOf(const QString &uid) const
{
    static const Parsed none;
    const auto c = d->collections.find(uid.toLongLong());
    return c != d->collections.end() && c->complete ? &c->items.parsed() : &none;
}

void AkonadiCalendars::write(const QString &uid, const QVector<Change> &changes, Written done)
{
    const auto c = d->collections.constFind(uid.toLongLong());
    if (c == d->collections.cend() || !d->session) {
        done(Failure::Failed, QStringLiteral("the Akonadi calendar is not open"));
        return;
    }
    const Akonadi::Collection::Rights rights = c->collection.rights();
    const bool creates = std::any_of(changes.cbegin(), changes.cend(), [](const Change &change) {
        return change.kind == Change::Create || change.kind == Change::ModifyOccurrence;
    });
    if (!(rights & Akonadi::Collection::CanChangeItem) ||
        (creates && !(rights & Akonadi::Collection::CanCreateItem))) {
        done(Failure::ReadOnly, QStringLiteral("the Akonadi calendar %1 is read-only").arg(c->identity.name));
        return;
    }
    auto w = std::make_shared<Private::Write>();
    w->collection = c.key();
    w->changes = changes;
    w->done = std::move(done);
    w->bound.setSingleShot(true);
    w->bound.setInterval(writeWaitMs);
    Private::Write *raw = w.get();
    connect(&w->bound, &QTimer::timeout, this, [this, raw] {
        d->finish(raw, Failure::Failed,
                  QStringLiteral("Akonadi did not answer within %1 s").arg(writeWaitMs / 1000));
    });
    d->writes.insert(raw, w);
    w->bound.start();
    d->step(raw);
}

#endif
