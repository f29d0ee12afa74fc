// First: GLib's headers use "signals" as a name, which Qt defines as a keyword.
#include <libsecret/secret.h>

#include "secretstore.h"

#include "accountpaths.h"
#include "accountslog.h"

#include <QPointer>
#include <QThread>

namespace {

const SecretSchema *schema()
{
    static const SecretSchema schema = [] {
        SecretSchema s{};
        s.name = "com.norvale.tasklist.CalDAV";
        // secret-tool looks up by the attributes alone, without the schema's name.
        s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        s.attributes[0] = {"service", SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[1] = {"account", SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[2] = {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING};
        return s;
    }();
    return &schema;
}

SecretStore::Result resultOf(GError *error, QString &detail)
{
    if (!error)
        return SecretStore::Result::Ok;
    detail = QString::fromUtf8(error->message);
    // No Secret Service on the bus, and none that the bus could start.
    const bool absent =
        error->domain == G_DBUS_ERROR &&
        (error->code == G_DBUS_ERROR_SERVICE_UNKNOWN || error->code == G_DBUS_ERROR_NAME_HAS_NO_OWNER ||
         error->code == G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND);
    g_error_free(error);
    // libsecret keeps its connection to the service it first found: a keyring started after this
    // failure is found on the next try only without it.
    if (absent)
        secret_service_disconnect();
    return absent ? SecretStore::Result::NoService : SecretStore::Result::Failed;
}

// Runs `work` on a thread of its own, and hands its result to `done` on the receiver's thread.
template<typename Work, typename Done> void runAside(QObject *receiver, Work work, Done done)
{
    QPointer<QObject> guard(receiver);
    QThread *thread = QThread::create([guard, work, done] {
        QString detail;
        const SecretStore::Result result = work(detail);
        if (guard)
            QMetaObject::invokeMethod(
                guard.data(), [done, result, detail] { done(result, detail); }, Qt::QueuedConnection);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

} // namespace

SecretStore::SecretStore(QObject *parent)
    : QObject(parent)
{
}

QStringList SecretStore::lookupArguments(const QString &account)
{
    return {QStringLiteral("lookup"), QStringLiteral("service"), QLatin1String(AccountPaths::keyringService),
            QStringLiteral("account"), account};
}

void SecretStore::store(const QString &account, const QString &label, const QString &password)
{
    const QByteArray id = account.toUtf8();
    const QByteArray text = label.toUtf8();
    const QByteArray secret = password.toUtf8();
    runAside(
        this,
        [id, text, secret](QString &detail) {
            GError *error = nullptr;
            secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, text.constData(),
                                       secret.constData(), nullptr, &error, "service",
                                       AccountPaths::keyringService, "account", id.constData(), nullptr);
            return resultOf(error, detail);
        },
        [this](Result result, const QString &detail) { Q_EMIT stored(result, detail); });
}

void SecretStore::remove(const QString &account)
{
    const QByteArray id = account.toUtf8();
    runAside(
        this,
        [id](QString &detail) {
            GError *error = nullptr;
            secret_password_clear_sync(schema(), nullptr, &error, "service", AccountPaths::keyringService,
                                       "account", id.constData(), nullptr);
            return resultOf(error, detail);
        },
        [this](Result result, const QString &detail) {
            if (result != Result::Ok)
                qCWarning(lcAccounts).noquote() << "cannot remove a password from the keyring:" << detail;
            Q_EMIT removed(result, detail);
        });
}
