#include "secretstore.h"

#include "accountpaths.h"
#include "accountslog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {

const QString secretsService = QStringLiteral("org.freedesktop.secrets");
const QString secretTool = QStringLiteral("secret-tool");
// A locked keyring asks the user for its password before it answers: time enough for that, but no
// secret-tool left waiting for ever on a keyring that never answers.
constexpr int answerBoundMs = 120 * 1000;

// Calls `method` of the bus itself and hands its answer (a default T on an error) to `done`.
template<typename T, typename Done>
void askBus(QObject *receiver, const QString &method, const QVariantList &arguments, Done done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), receiver);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, receiver, [watcher, done] {
        watcher->deleteLater();
        const QDBusPendingReply<T> reply = *watcher;
        done(reply.isError() ? T() : reply.value());
    });
}

// The bus's own words (dbus-daemon's, untranslated) when the service went away, or could not be
// started, between the check and secret-tool's call.
bool serviceAbsent(const QString &said)
{
    return said.contains(secretsService) &&
           (said.contains(QLatin1String("not provided by any .service files")) ||
            said.contains(QLatin1String("ServiceUnknown")) || said.contains(QLatin1String("has no owner")));
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
    run(Action::Store,
        {QStringLiteral("store"), QStringLiteral("--label=") + label, QStringLiteral("service"),
         QLatin1String(AccountPaths::keyringService), QStringLiteral("account"), account},
        password.toUtf8());
}

void SecretStore::remove(const QString &account)
{
    run(Action::Clear,
        {QStringLiteral("clear"), QStringLiteral("service"), QLatin1String(AccountPaths::keyringService),
         QStringLiteral("account"), account},
        QByteArray());
}

void SecretStore::run(Action action, const QStringList &arguments, const QByteArray &input)
{
    const QString program = QStandardPaths::findExecutable(secretTool);
    const bool onBus = QDBusConnection::sessionBus().isConnected();
    if (program.isEmpty() || !onBus) {
        // Answered from the event loop as every other result is: the caller may not be ready yet.
        const Result result = program.isEmpty() ? Result::NoProgram : Result::NoService;
        const QString detail = program.isEmpty()
                                   ? QStringLiteral("secret-tool is not installed (libsecret-tools)")
                                   : QStringLiteral("no session bus");
        QMetaObject::invokeMethod(
            this, [this, action, result, detail] { finish(action, result, detail); }, Qt::QueuedConnection);
        return;
    }
    // The bus tells for certain whether a keyring runs or can be started; secret-tool's failure is only
    // words to read, left for the keyring that goes away in between.
    askBus<bool>(this, QStringLiteral("NameHasOwner"), {secretsService},
                 [this, action, program, arguments, input](bool owned) {
                     if (owned) {
                         launch(action, program, arguments, input);
                         return;
                     }
                     askBus<QStringList>(
                         this, QStringLiteral("ListActivatableNames"), {},
                         [this, action, program, arguments, input](const QStringList &names) {
                             if (names.contains(secretsService))
                                 launch(action, program, arguments, input);
                             else
                                 finish(action, Result::NoService,
                                        QStringLiteral("nothing owns or can start %1 on the session bus")
                                            .arg(secretsService));
                         });
                 });
}

void SecretStore::launch(Action action, const QString &program, const QStringList &arguments,
                         QByteArray input)
{
    auto *process = new QProcess(this);
    auto *bound = new QTimer(process);
    auto timedOut = std::make_shared<bool>(false);
    bound->setSingleShot(true);
    process->setStandardOutputFile(QProcess::nullDevice());
    // The password goes through the pipe of its standard input: a command line is readable by every
    // user of the machine (ps, /proc).
    connect(process, &QProcess::started, process, [process, bound, input]() mutable {
        bound->start(answerBoundMs);
        process->write(input);
        process->closeWriteChannel();
        input.clear();
    });
    connect(bound, &QTimer::timeout, process, [process, timedOut] {
        *timedOut = true;
        process->kill();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process, action](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // finished() follows, and tells
        process->deleteLater();
        finish(action, Result::NoProgram, process->errorString());
    });
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, process, action, timedOut](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
                if (*timedOut)
                    finish(
                        action, Result::Failed,
                        QStringLiteral("secret-tool did not answer within %1 s").arg(answerBoundMs / 1000));
                else if (status != QProcess::NormalExit)
                    finish(action, Result::Failed, QStringLiteral("secret-tool crashed"));
                // clear ends in 1 without a word where nothing was kept under these attributes.
                else if (code == 0 || (action == Action::Clear && code == 1 && said.isEmpty()))
                    finish(action, Result::Ok, QString());
                else
                    finish(action, serviceAbsent(said) ? Result::NoService : Result::Failed,
                           said.isEmpty() ? QStringLiteral("secret-tool ended with %1").arg(code) : said);
            });
    process->start(program, arguments);
}

void SecretStore::finish(Action action, Result result, const QString &detail)
{
    if (action == Action::Store) {
        Q_EMIT stored(result, detail);
        return;
    }
    if (result != Result::Ok)
        qCWarning(lcAccounts).noquote() << "cannot remove a password from the keyring:" << detail;
    Q_EMIT removed(result, detail);
}
