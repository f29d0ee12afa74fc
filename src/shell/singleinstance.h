#ifndef SCHEDULE_SINGLEINSTANCE_H
#define SCHEDULE_SINGLEINSTANCE_H

#include <QDBusConnection>
#include <QObject>

// One panel per instance and session: a second start of it would read and write the same data
// and place files, and whichever saved last would win. The first start owns the instance's bus
// name; a later one asks it to show itself (or to take the keyboard as well) and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.norvale.CalendarWidget")
public:
    explicit SingleInstance(const QString &busName,
                            const QDBusConnection &bus = QDBusConnection::sessionBus(),
                            QObject *parent = nullptr);

    enum class Request { Show, Focus };

    // True when this process is the instance: it owns the name, or there is no bus to share one
    // on. False when another process is: that one has been asked to show itself, and with
    // Request::Focus to take the keyboard too.
    bool claim(Request request = Request::Show);

public Q_SLOTS:
    Q_SCRIPTABLE void Show();
    // A desktop's key that runs --focus lands here.
    Q_SCRIPTABLE void Focus();

Q_SIGNALS:
    void showRequested();
    void focusRequested();

private:
    QString busName;
    QDBusConnection bus;
};

#endif
