#include "calendarsources.h"

#include "calendarcontract.h"
#include "icsdocument_p.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace CalendarSources {

namespace {

QString unescapedText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            out += next == QLatin1Char('n') || next == QLatin1Char('N') ? QChar(QLatin1Char(' ')) : next;
        } else {
            out += text.at(i);
        }
    }
    return out.simplified();
}

// A small text file of vdirsyncer's ("displayname", "color"); empty where there is none.
QString smallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(1024)).simplified();
}

} // namespace

Header headerOf(const QByteArray &data)
{
    Header header;
    QString line;
    auto take = [&header](const QString &unfolded) {
        const int colon = IcsSyntax::colonIndex(unfolded);
        if (colon < 0)
            return;
        const QString name = IcsSyntax::nameOf(unfolded);
        const QString value = unfolded.mid(colon + 1).trimmed();
        if (name == QLatin1String("X-WR-CALNAME") || (name == QLatin1String("NAME") && header.name.isEmpty()))
            header.name = unescapedText(value);
        else if (name == QLatin1String("COLOR") ||
                 (name == QLatin1String("X-APPLE-CALENDAR-COLOR") && header.color.isEmpty()))
            header.color = colorOf(value);
        else if (name == QLatin1String("REFRESH-INTERVAL") ||
                 (name == QLatin1String("X-PUBLISHED-TTL") && header.refreshSeconds == 0))
            header.refreshSeconds = durationSeconds(value);
    };
    // The header alone: a calendar's own properties come before its events in every export seen.
    const QList<QByteArray> lines = data.left(64 * 1024).split('\n');
    for (const QByteArray &raw : lines) {
        const QString text = QString::fromUtf8(raw).remove(QLatin1Char('\r'));
        if (text.startsWith(QLatin1Char(' ')) || text.startsWith(QLatin1Char('\t'))) {
            line += text.mid(1);
            continue;
        }
        take(line);
        line = text;
        if (line.startsWith(QLatin1String("BEGIN:"), Qt::CaseInsensitive) &&
            line.mid(6).trimmed().compare(QLatin1String("VCALENDAR"), Qt::CaseInsensitive) != 0)
            return header;
    }
    take(line);
    return header;
}

QString colorOf(const QString &text)
{
    const QString value = text.trimmed().toLower();
    static const QRegularExpression hex(QStringLiteral("^#([0-9a-f]{3}|[0-9a-f]{6}|[0-9a-f]{8})$"));
    static const QRegularExpression name(QStringLiteral("^[a-z]{3,30}$"));
    if (hex.match(value).hasMatch()) {
        if (value.size() == 4)
            return QStringLiteral("#") + value.at(1) + value.at(1) + value.at(2) + value.at(2) + value.at(3) +
                   value.at(3);
        return value.left(7);
    }
    return name.match(value).hasMatch() ? value : QString();
}

qint64 durationSeconds(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^P(?:(\\d+)W)?(?:(\\d+)D)?(?:T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+)S)?)?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed().toUpper());
    if (!match.hasMatch())
        return 0;
    constexpr qint64 scale[] = {7 * 86400, 86400, 3600, 60, 1};
    qint64 seconds = 0;
    for (int i = 0; i < 5; ++i)
        seconds += qMin(match.captured(i + 1).toLongLong(), qint64(100000)) * scale[i];
    return seconds;
}

QUrl subscriptionUrl(const QString &entry)
{
    const QString text = entry.trimmed();
    QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("webcal"))
        url.setScheme(QStringLiteral("http"));
    else if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QUrl();
    return url.isValid() && !url.host().isEmpty() ? url : QUrl();
}

QString cacheDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/" DATASERVER_PROGRAM "/subscriptions");
}

QString cachePath(const QUrl &url)
{
    const QByteArray hash = QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Sha1).toHex();
    return cacheDirectory() + QLatin1Char('/') + QString::fromLatin1(hash.left(24)) + QStringLiteral(".ics");
}

QString edsLocation(const QString &sourceUid)
{
    return QStringLiteral("eds:") + sourceUid;
}

QString akonadiLocation(const QString &collectionId)
{
    return QStringLiteral("akonadi:") + collectionId;
}

bool fromDesktop(Kind kind)
{
    return kind == Kind::Eds || kind == Kind::Akonadi;
}

QString serviceName(Kind kind)
{
    return kind == Kind::Akonadi ? QStringLiteral("Akonadi") : QStringLiteral("Evolution");
}

CalendarIdentity identityOf(Kind kind, const QString &location, const QString &path, const Header &header)
{
    CalendarIdentity identity;
    // From the location alone: the same calendar keeps its ID wherever calendars.conf lists it.
    identity.id = QString::fromLatin1(
        QCryptographicHash::hash(location.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    identity.location = location;
    identity.name = header.name;
    identity.color = header.color;
    switch (kind) {
    case Kind::File: {
        identity.kind = QStringLiteral("file");
        const QFileInfo info(path);
        identity.writable = info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable();
        if (identity.name.isEmpty())
            identity.name = info.completeBaseName();
        break;
    }
    case Kind::Folder: {
        identity.kind = QStringLiteral("folder");
        identity.writable = QFileInfo(path).isWritable();
        const QString name = smallFile(path + QStringLiteral("/displayname"));
        const QString color = colorOf(smallFile(path + QStringLiteral("/color")));
        identity.name = name.isEmpty() ? QDir(path).dirName() : name;
        if (!color.isEmpty())
            identity.color = color;
        break;
    }
    case Kind::Subscription: {
        identity.kind = QStringLiteral("subscription");
        identity.writable = false;
        if (identity.name.isEmpty()) {
            const QUrl url(location);
            const QString file = url.fileName();
            identity.name = file.isEmpty() ? url.host() : url.host() + QStringLiteral(": ") + file;
        }
        break;
    }
    case Kind::Eds:
        identity.kind = QStringLiteral("eds"); // name, colour and writability are EDS's to tell
        break;
    case Kind::Akonadi:
        identity.kind = QStringLiteral("akonadi"); // and Akonadi's for its collections
        break;
    }
    return identity;
}

} // namespace CalendarSources
