#include "edscalendars.h"

#ifdef TASKLIST_EDS
// GLib names a struct member `signals`, which Qt defines as a keyword.
#undef signals
#include <libecal/libecal.h>
#endif

#include "myaddresses.h"
#include "serverlog.h"
#include "warnonce.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <cstring>

#ifndef TASKLIST_EDS

struct EdsCalendars::Private
{
};

EdsCalendars::EdsCalendars(QObject *parent)
    : DesktopSource(parent)
{
}

EdsCalendars::~EdsCalendars() = default;

bool EdsCalendars::built()
{
    return false;
}

void EdsCalendars::start()
{
    qCInfo(lcDataServer).noquote() << QStringLiteral(
        "built without Evolution Data Server: the desktop's calendars are not served");
}

QVector<EdsCalendars::Calendar> EdsCalendars::calendars() const
{
    return {};
}

QByteArray EdsCalendars::textOf(const QString &) const
{
    return {};
}

void EdsCalendars::write(const QString &, const QVector<Change> &, Written done)
{
    done(Failure::Failed, QStringLiteral("built without Evolution Data Server"));
}

#else

namespace {

const QString registryService = QStringLiteral("org.gnome.evolution.dataserver.Sources5");
// A remote calendar (GNOME Online Accounts) that is offline still opens, from its cache.
constexpr guint32 connectWaitSeconds = 5;
// EDS that stopped is asked again after this: asking activates it where the bus can.
constexpr int reconnectDelayMs = 2000;

QString fromGlib(const gchar *text)
{
    return QString::fromUtf8(text ? text : "");
}

QString takeGlib(gchar *text)
{
    const QString out = fromGlib(text);
    g_free(text);
    return out;
}

QString messageOf(GError *error)
{
    const QString text = error ? fromGlib(error->message) : QStringLiteral("unknown error");
    if (error)
        g_error_free(error);
    return text;
}

// Async calls carry a weak handle: a calendar removed, or the server shutting down, while EDS
// is still answering leaves the answer with nothing to touch.
template<typename T> gpointer handleOf(const std::shared_ptr<T> &object)
{
    return new std::weak_ptr<T>(object);
}

template<typename T> std::shared_ptr<T> take(gpointer data)
{
    std::unique_ptr<std::weak_ptr<T>> handle(static_cast<std::weak_ptr<T> *>(data));
    return handle->lock();
}

} // namespace

struct EdsCalendars::Private
{
    struct Client
    {
        Private *d = nullptr;
        QString uid;
        ESource *source = nullptr;
        ECalClientSourceType type = E_CAL_CLIENT_SOURCE_TYPE_EVENTS;
        GCancellable *cancellable = g_cancellable_new();
        ECalClient *client = nullptr;
        ECalClientView *view = nullptr;
        bool complete = false; // the view's first answer is in: the calendar is served from then on
        CalendarIdentity identity;
        QStringList myAddresses;
        // The components by UID and RECURRENCE-ID, each its iCalendar text.
        QMap<QByteArray, QByteArray> components;
        // The components one after another, and the zones they name: made again only after a
        // change, not at every scan of the store.
        QByteArray body;
        QSet<QByteArray> zones;
        bool bodyMade = false;

        ~Client()
        {
            g_cancellable_cancel(cancellable);
            if (view) {
                g_signal_handlers_disconnect_by_data(view, this);
                g_object_unref(view);
            }
            if (client) {
                g_signal_handlers_disconnect_by_data(client, this);
                g_object_unref(client);
            }
            g_object_unref(source);
            g_object_unref(cancellable);
        }
    };
    using ClientPtr = std::shared_ptr<Client>;

    struct Token
    {
        Private *d;
    };

    EdsCalendars *q = nullptr;
    std::shared_ptr<Token> token = std::make_shared<Token>(Token{this});
    GCancellable *cancellable = g_cancellable_new();
    ESourceRegistry *registry = nullptr;
    bool connecting = false;
    QHash<QString, ClientPtr> clients;
    QDBusServiceWatcher *watcher = nullptr;
    WarnOnce said;

    ~Private()
    {
        g_cancellable_cancel(cancellable);
        writes.clear();
        clients.clear();
        dropRegistry();
        g_object_unref(cancellable);
    }

    void say(const QString &subject, const QString &text)
    {
        if (said.firstTime(subject, text))
            qCWarning(lcDataServer).noquote() << text;
    }

    void connectRegistry()
    {
        if (registry || connecting)
            return;
        connecting = true;
        e_source_registry_new(cancellable, &Private::registryReady, handleOf(token));
    }

    void dropRegistry()
    {
        if (!registry)
            return;
        g_signal_handlers_disconnect_by_data(registry, this);
        g_object_unref(registry);
        registry = nullptr;
    }

    static void registryReady(GObject *, GAsyncResult *result, gpointer data)
    {
        GError *error = nullptr;
        ESourceRegistry *registry = e_source_registry_new_finish(result, &error);
        const std::shared_ptr<Token> token = take<Token>(data);
        if (!token) {
            if (registry)
                g_object_unref(registry);
            g_clear_error(&error);
            return;
        }
        Private *d = token->d;
        d->connecting = false;
        if (!registry) {
            d->say(QStringLiteral("registry"),
                   QStringLiteral("Evolution Data Server cannot be reached (%1); the desktop's calendars "
                                  "are not served until it starts")
                       .arg(messageOf(error)));
            return;
        }
        d->said.forget(QStringLiteral("registry"));
        d->registry = registry;
        for (const char *name :
             {"source-added", "source-removed", "source-enabled", "source-disabled", "source-changed"})
            g_signal_connect(registry, name, G_CALLBACK(&Private::sourcesChanged), d);
        d->sync();
    }

    static void sourcesChanged(ESourceRegistry *, ESource *, gpointer data)
    {
        static_cast<Private *>(data)->sync();
    }

    // Opens the enabled calendars that are not open yet, and closes those no longer enabled.
    void sync()
    {
        if (!registry)
            return;
        QSet<QString> wanted;
        bool changed = false;
        const std::pair<const char *, ECalClientSourceType> kinds[] = {
            {E_SOURCE_EXTENSION_CALENDAR, E_CAL_CLIENT_SOURCE_TYPE_EVENTS},
            {E_SOURCE_EXTENSION_TASK_LIST, E_CAL_CLIENT_SOURCE_TYPE_TASKS}};
        for (const auto &kind : kinds) {
            GList *sources = e_source_registry_list_enabled(registry, kind.first);
            for (GList *link = sources; link; link = link->next) {
                ESource *source = E_SOURCE(link->data);
                const QString uid = fromGlib(e_source_get_uid(source));
                if (wanted.contains(uid))
                    continue;
                wanted.insert(uid);
                const auto open = clients.constFind(uid);
                if (open == clients.constEnd()) {
                    this->open(source, kind.second, kind.first);
                } else if ((*open)->complete) {
                    const CalendarIdentity before = (*open)->identity;
                    describe(**open, kind.first);
                    changed |= (*open)->identity != before;
                }
            }
            g_list_free_full(sources, g_object_unref);
        }
        for (auto it = clients.begin(); it != clients.end();) {
            if (wanted.contains(it.key())) {
                ++it;
                continue;
            }
            changed |= it.value()->complete;
            it = clients.erase(it);
        }
        if (changed)
            q->m_settle.start();
    }

    void describe(Client &c, const char *extension)
    {
        c.identity.name = takeGlib(e_source_dup_display_name(c.source));
        if (e_source_has_extension(c.source, extension)) {
            auto *selectable = E_SOURCE_SELECTABLE(e_source_get_extension(c.source, extension));
            c.identity.color = takeGlib(e_source_selectable_dup_color(selectable)).toLower();
        }
        c.identity.writable = c.client && !e_client_is_readonly(E_CLIENT(c.client));
        c.myAddresses = addressesOf(c.source);
    }

    // Who the user is in the calendar: the address its CalDAV backend schedules with, else the
    // identity of the account (GNOME Online Accounts' collection) it belongs to.
    QStringList addressesOf(ESource *source) const
    {
        QStringList out;
        auto add = [&out](const QString &address) {
            const QString normal = MyAddresses::normalized(address);
            if (normal.contains(QLatin1Char('@')) && !out.contains(normal))
                out << normal;
        };
        if (e_source_has_extension(source, E_SOURCE_EXTENSION_WEBDAV_BACKEND))
            add(takeGlib(e_source_webdav_dup_email_address(
                E_SOURCE_WEBDAV(e_source_get_extension(source, E_SOURCE_EXTENSION_WEBDAV_BACKEND)))));
        if (e_source_has_extension(source, E_SOURCE_EXTENSION_AUTHENTICATION))
            add(takeGlib(e_source_authentication_dup_user(
                E_SOURCE_AUTHENTICATION(e_source_get_extension(source, E_SOURCE_EXTENSION_AUTHENTICATION)))));
        const char *parentUid = e_source_get_parent(source);
        ESource *parent = registry && parentUid ? e_source_registry_ref_source(registry, parentUid) : nullptr;
        if (parent) {
            if (e_source_has_extension(parent, E_SOURCE_EXTENSION_COLLECTION))
                add(takeGlib(e_source_collection_dup_identity(
                    E_SOURCE_COLLECTION(e_source_get_extension(parent, E_SOURCE_EXTENSION_COLLECTION)))));
            g_object_unref(parent);
        }
        return out;
    }

    void open(ESource *source, ECalClientSourceType type, const char *extension)
    {
        auto c = std::make_shared<Client>();
        c->d = this;
        c->uid = fromGlib(e_source_get_uid(source));
        c->source = E_SOURCE(g_object_ref(source));
        c->type = type;
        describe(*c, extension);
        clients.insert(c->uid, c);
        e_cal_client_connect(source, type, connectWaitSeconds, c->cancellable, &Private::clientReady,
                             handleOf(c));
    }

    static const char *extensionOf(const Client &c)
    {
        return c.type == E_CAL_CLIENT_SOURCE_TYPE_TASKS ? E_SOURCE_EXTENSION_TASK_LIST
                                                        : E_SOURCE_EXTENSION_CALENDAR;
    }

    static void clientReady(GObject *, GAsyncResult *result, gpointer data)
    {
        GError *error = nullptr;
        EClient *client = e_cal_client_connect_finish(result, &error);
        const ClientPtr c = take<Client>(data);
        if (!c) {
            if (client)
                g_object_unref(client);
            g_clear_error(&error);
            return;
        }
        if (!client) {
            c->d->say(c->uid,
                      QStringLiteral("the Evolution calendar %1 cannot be opened (%2); it is not served")
                          .arg(c->identity.name, messageOf(error)));
            return;
        }
        c->client = E_CAL_CLIENT(client);
        c->d->describe(*c, extensionOf(*c));
        g_signal_connect(client, "backend-died", G_CALLBACK(&Private::backendDied), c.get());
        e_cal_client_get_view(c->client, "#t", c->cancellable, &Private::viewReady, handleOf(c));
    }

    static void viewReady(GObject *object, GAsyncResult *result, gpointer data)
    {
        ECalClientView *view = nullptr;
        GError *error = nullptr;
        const bool ok = e_cal_client_get_view_finish(E_CAL_CLIENT(object), result, &view, &error);
        const ClientPtr c = take<Client>(data);
        if (!c || !ok) {
            if (view)
                g_object_unref(view);
            if (c)
                c->d->say(c->uid,
                          QStringLiteral("the Evolution calendar %1 cannot be read (%2); it is not served")
                              .arg(c->identity.name, messageOf(error)));
            else
                g_clear_error(&error);
            return;
        }
        c->view = view;
        g_signal_connect(view, "objects-added", G_CALLBACK(&Private::objectsAdded), c.get());
        g_signal_connect(view, "objects-modified", G_CALLBACK(&Private::objectsAdded), c.get());
        g_signal_connect(view, "objects-removed", G_CALLBACK(&Private::objectsRemoved), c.get());
        g_signal_connect(view, "complete", G_CALLBACK(&Private::viewComplete), c.get());
        e_cal_client_view_start(view, &error);
        if (error)
            c->d->say(c->uid, QStringLiteral("the Evolution calendar %1 cannot be followed (%2)")
                                  .arg(c->identity.name, messageOf(error)));
    }

    static QByteArray keyOf(const char *uid, const char *rid)
    {
        QByteArray key(uid ? uid : "");
        key += '\n';
        return key + (rid ? rid : "");
    }

    static void objectsAdded(ECalClientView *, const GSList *objects, gpointer data)
    {
        auto *c = static_cast<Client *>(data);
        for (const GSList *link = objects; link; link = link->next) {
            auto *component = static_cast<ICalComponent *>(link->data);
            gchar *rid = e_cal_util_component_get_recurid_as_string(component);
            const QByteArray key = keyOf(i_cal_component_get_uid(component), rid);
            g_free(rid);
            gchar *text = i_cal_component_as_ical_string(component);
            c->components.insert(key, QByteArray(text ? text : ""));
            g_free(text);
        }
        c->bodyMade = false;
        c->d->touched(*c);
    }

    static void objectsRemoved(ECalClientView *, const GSList *ids, gpointer data)
    {
        auto *c = static_cast<Client *>(data);
        for (const GSList *link = ids; link; link = link->next) {
            const auto *id = static_cast<const ECalComponentId *>(link->data);
            const char *uid = e_cal_component_id_get_uid(id);
            const char *rid = e_cal_component_id_get_rid(id);
            if (rid && *rid) {
                c->components.remove(keyOf(uid, rid));
                continue;
            }
            // No RECURRENCE-ID: the whole series went, its moved occurrences with it (a removal
            // with E_CAL_OBJ_MOD_ALL is told so).
            const QByteArray prefix = keyOf(uid, nullptr);
            for (auto it = c->components.lowerBound(prefix);
                 it != c->components.end() && it.key().startsWith(prefix);)
                it = c->components.erase(it);
        }
        c->bodyMade = false;
        c->d->touched(*c);
    }

    static void viewComplete(ECalClientView *, const GError *error, gpointer data)
    {
        auto *c = static_cast<Client *>(data);
        if (error)
            c->d->say(c->uid, QStringLiteral("the Evolution calendar %1 was read in part (%2)")
                                  .arg(c->identity.name, fromGlib(error->message)));
        c->complete = true;
        c->d->opened();
    }

    // The last calendar still opening is served at once: nothing else is to come of that burst,
    // and at start the settle time would only delay the first answer that holds them.
    void opened()
    {
        const bool allOpen = std::all_of(clients.cbegin(), clients.cend(),
                                         [](const ClientPtr &client) { return client->complete; });
        if (!allOpen) {
            q->m_settle.start();
            return;
        }
        q->m_settle.stop();
        Q_EMIT q->changed();
    }

    void touched(const Client &c)
    {
        if (c.complete)
            q->m_settle.start();
    }

    static void backendDied(EClient *, gpointer data)
    {
        auto *c = static_cast<Client *>(data);
        Private *d = c->d;
        d->say(c->uid,
               QStringLiteral("the Evolution calendar %1 stopped; it is opened again").arg(c->identity.name));
        d->clients.remove(c->uid); // `c` is gone from here on
        d->q->m_settle.start();
        QTimer::singleShot(reconnectDelayMs, d->q, [d] { d->sync(); });
    }

    void registryLost()
    {
        if (!registry)
            return;
        say(QStringLiteral("registry"),
            QStringLiteral("Evolution Data Server stopped; the desktop's calendars leave until it is back"));
        clients.clear();
        dropRegistry();
        q->m_settle.start();
        QTimer::singleShot(reconnectDelayMs, q, [this] { connectRegistry(); });
    }

    // One write() on its way: its steps, the call in flight, and the bound on EDS's answer.
    struct Write
    {
        ClientPtr client; // kept open while EDS answers, even when its source leaves meanwhile
        QVector<Change> changes;
        int next = 0;
        GCancellable *cancellable = g_cancellable_new();
        QTimer bound;
        Written done;

        ~Write()
        {
            g_cancellable_cancel(cancellable);
            g_object_unref(cancellable);
        }
    };
    using WritePtr = std::shared_ptr<Write>;
    QHash<Write *, WritePtr> writes;

    void finish(const WritePtr &w, Failure failure, const QString &message)
    {
        if (!writes.remove(w.get()))
            return;
        const Written done = std::move(w->done);
        done(failure, message);
    }

    void step(const WritePtr &w)
    {
        if (w->next == w->changes.size()) {
            finish(w, Failure::None, {});
            return;
        }
        const Change &change = w->changes.at(w->next++);
        ECalClient *client = w->client->client;
        if (change.kind == Change::RemoveSeries) {
            const QByteArray uid = change.uid.toUtf8();
            e_cal_client_remove_object(client, uid.constData(), nullptr, E_CAL_OBJ_MOD_ALL,
                                       E_CAL_OPERATION_FLAG_NONE, w->cancellable, &Private::removed,
                                       handleOf(w));
            return;
        }
        ICalComponent *component = i_cal_component_new_from_string(change.component.constData());
        if (!component) {
            finish(w, Failure::Failed, QStringLiteral("the change is no iCalendar component"));
            return;
        }
        if (change.kind == Change::Create)
            e_cal_client_create_object(client, component, E_CAL_OPERATION_FLAG_NONE, w->cancellable,
                                       &Private::created, handleOf(w));
        else
            e_cal_client_modify_object(
                client, component,
                change.kind == Change::ModifySeries ? E_CAL_OBJ_MOD_ALL : E_CAL_OBJ_MOD_THIS,
                E_CAL_OPERATION_FLAG_NONE, w->cancellable, &Private::modified, handleOf(w));
        g_object_unref(component);
    }

    static void answered(gpointer data, bool ok, GError *error)
    {
        const WritePtr w = take<Write>(data);
        if (!w) { // timed out, or the server is shutting down
            g_clear_error(&error);
            return;
        }
        Private *d = w->client->d;
        if (ok) {
            g_clear_error(&error);
            d->step(w);
            return;
        }
        Failure failure = Failure::Failed;
        if (g_error_matches(error, E_CLIENT_ERROR, E_CLIENT_ERROR_PERMISSION_DENIED))
            failure = Failure::ReadOnly;
        else if (g_error_matches(error, E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND))
            failure = Failure::NotFound;
        d->finish(w, failure, messageOf(error));
    }

    static void created(GObject *object, GAsyncResult *result, gpointer data)
    {
        GError *error = nullptr;
        const bool ok = e_cal_client_create_object_finish(E_CAL_CLIENT(object), result, nullptr, &error);
        answered(data, ok, error);
    }

    static void modified(GObject *object, GAsyncResult *result, gpointer data)
    {
        GError *error = nullptr;
        const bool ok = e_cal_client_modify_object_finish(E_CAL_CLIENT(object), result, &error);
        answered(data, ok, error);
    }

    static void removed(GObject *object, GAsyncResult *result, gpointer data)
    {
        GError *error = nullptr;
        const bool ok = e_cal_client_remove_object_finish(E_CAL_CLIENT(object), result, &error);
        answered(data, ok, error);
    }

    // The zone a TZID parameter names, quoted or not, starting at `at` past "TZID=".
    static QByteArray zoneAt(const QByteArray &text, int at)
    {
        if (at < text.size() && text.at(at) == '"') {
            const int close = text.indexOf('"', at + 1);
            return close < 0 ? QByteArray() : text.mid(at + 1, close - at - 1);
        }
        int end = at;
        while (end < text.size() && !std::strchr(":;\r\n", text.at(end)))
            ++end;
        return text.mid(at, end - at);
    }

    static void makeBody(Client &c)
    {
        if (c.bodyMade)
            return;
        c.body.clear();
        c.zones.clear();
        for (const QByteArray &component : std::as_const(c.components)) {
            c.body += component;
            if (!component.endsWith('\n'))
                c.body += "\r\n";
            for (int at = component.indexOf("TZID="); at >= 0; at = component.indexOf("TZID=", at + 5))
                c.zones.insert(zoneAt(component, at + 5));
        }
        c.bodyMade = true;
    }

    static QByteArray textOf(Client &c)
    {
        makeBody(c);
        QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Norvale//tasklist-dataserver//EN\r\n";
        // The client's cache holds the calendar's own zones and libical's built-in ones; neither
        // asks EDS anything.
        QList<QByteArray> names(c.zones.cbegin(), c.zones.cend());
        std::sort(names.begin(), names.end());
        for (const QByteArray &name : std::as_const(names)) {
            ICalTimezone *zone =
                c.client ? e_timezone_cache_get_timezone(E_TIMEZONE_CACHE(c.client), name.constData())
                         : nullptr;
            ICalComponent *definition = zone ? i_cal_timezone_get_component(zone) : nullptr;
            if (!definition)
                continue;
            gchar *text = i_cal_component_as_ical_string(definition);
            out += text ? text : "";
            g_free(text);
            g_object_unref(definition);
        }
        out.reserve(out.size() + c.body.size() + 16);
        out += c.body;
        out += "END:VCALENDAR\r\n";
        return out;
    }
};

EdsCalendars::EdsCalendars(QObject *parent)
    : DesktopSource(parent)
    , d(std::make_unique<Private>())
{
    d->q = this;
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &EdsCalendars::changed);
}

EdsCalendars::~EdsCalendars() = default;

bool EdsCalendars::built()
{
    return true;
}

void EdsCalendars::start()
{
    if (!d->watcher) {
        d->watcher = new QDBusServiceWatcher(registryService, QDBusConnection::sessionBus(),
                                             QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(d->watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { d->registryLost(); });
        connect(d->watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { d->connectRegistry(); });
    }
    d->connectRegistry();
}

QVector<EdsCalendars::Calendar> EdsCalendars::calendars() const
{
    QVector<Calendar> out;
    for (const auto &c : std::as_const(d->clients)) {
        if (c->complete)
            out << Calendar{c->uid, c->identity, c->myAddresses};
    }
    std::sort(out.begin(), out.end(), [](const Calendar &a, const Calendar &b) {
        return a.identity.name != b.identity.name ? a.identity.name < b.identity.name : a.uid < b.uid;
    });
    return out;
}

QByteArray EdsCalendars::textOf(const QString &uid) const
{
    const auto c = d->clients.value(uid);
    return c && c->complete ? d->textOf(*c) : QByteArray();
}

void EdsCalendars::write(const QString &uid, const QVector<Change> &changes, Written done)
{
    const auto c = d->clients.value(uid);
    if (!c || !c->client) {
        done(Failure::Failed, QStringLiteral("the Evolution calendar is not open"));
        return;
    }
    if (e_client_is_readonly(E_CLIENT(c->client))) {
        done(Failure::ReadOnly,
             QStringLiteral("the Evolution calendar %1 is read-only").arg(c->identity.name));
        return;
    }
    auto w = std::make_shared<Private::Write>();
    w->client = c;
    w->changes = changes;
    w->done = std::move(done);
    w->bound.setSingleShot(true);
    w->bound.setInterval(writeWaitMs);
    Private::Write *raw = w.get();
    connect(&w->bound, &QTimer::timeout, this, [this, raw] {
        if (const Private::WritePtr pending = d->writes.value(raw))
            d->finish(
                pending, Failure::Failed,
                QStringLiteral("Evolution Data Server did not answer within %1 s").arg(writeWaitMs / 1000));
    });
    d->writes.insert(raw, w);
    w->bound.start();
    d->step(w);
}

#endif
