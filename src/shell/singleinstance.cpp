#include "singleinstance.h"

#include "shelllog.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {
const char objectPath[] = "/com/norvale/CalendarWidget";
}

SingleInstance::SingleInstance(const QString &busName, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , busName(busName)
    , bus(bus)
{
}

bool SingleInstance::claim(Request request)
{
    if (!bus.isConnected())
        return true;
    // The object first: a second start that finds the name owned can then always reach it.
    bus.registerObject(QString::fromLatin1(objectPath), this, QDBusConnection::ExportScriptableSlots);
    const auto claimed = bus.interface()->registerService(busName, QDBusConnectionInterface::DontQueueService,
                                                          QDBusConnectionInterface::DontAllowReplacement);
    if (claimed.isValid() && claimed.value() == QDBusConnectionInterface::ServiceRegistered)
        return true;
    if (!claimed.isValid()) {
        qCWarning(lcShell).noquote() << QStringLiteral("Cannot tell whether the widget runs already (%1): "
                                                       "starting anyway.")
                                            .arg(claimed.error().message());
        return true;
    }
    bus.unregisterObject(QString::fromLatin1(objectPath));
    const bool focus = request == Request::Focus;
    const QDBusMessage show = QDBusMessage::createMethodCall(
        busName, QString::fromLatin1(objectPath), QStringLiteral("com.norvale.CalendarWidget"),
        focus ? QStringLiteral("Focus") : QStringLiteral("Show"));
    // This process ends right after, with nothing on screen yet: a short wait for the answer is
    // what makes sure the request left at all.
    bus.call(show, QDBus::Block, 3000);
    qCInfo(lcShell).noquote() << QStringLiteral("The widget runs already in this session: asked it to show "
                                                "itself%1. Start another with --instance NAME.")
                                     .arg(focus ? QStringLiteral(" and take the keyboard") : QString());
    return false;
}

void SingleInstance::Show()
{
    qCInfo(lcShell, "Another start asked the widget to show itself.");
    emit showRequested();
}

void SingleInstance::Focus()
{
    qCInfo(lcShell, "Another start asked the widget to show itself and take the keyboard.");
    emit focusRequested();
}
