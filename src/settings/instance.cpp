#include "instance.h"

#include <QDir>
#include <QRegularExpression>

namespace Instance {
namespace {
QString current;
}

bool isValidName(const QString &name)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    return allowed.match(name).hasMatch();
}

void setName(const QString &name)
{
    current = name;
}

QString name()
{
    return current;
}

QString folderName()
{
    return current.isEmpty() ? QStringLiteral("TaskList") : QStringLiteral("TaskList-") + current;
}

QString dataDirectory()
{
    return QDir::homePath() + QStringLiteral("/.local/share/") + folderName();
}

QString busName()
{
    // A bus name's element must not begin with a digit, as an instance's name may.
    const QString base = QStringLiteral("com.norvale.CalendarWidget");
    return current.isEmpty() ? base : base + QStringLiteral(".Instance_") + current;
}

} // namespace Instance
