#ifndef SCHEDULE_JSONTEXT_H
#define SCHEDULE_JSONTEXT_H

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QVector>

// JSON written byte for byte as QJsonDocument writes it compact, without building the QJsonObject
// first: a year's answer holds some 15,000 jobs, and making and writing their objects was a third
// of it. Keys are plain ASCII, sorted as QJsonObject sorts them.
namespace JsonText {

// A string with its quotes and escapes.
[[nodiscard]] QByteArray string(const QString &text);

class Object
{
public:
    // `value` is JSON already; a key given again replaces the value before.
    void add(QLatin1String key, const QByteArray &value);
    void add(QLatin1String key, const QString &text) { add(key, string(text)); }
    void add(QLatin1String key, const char *text) = delete;
    void add(QLatin1String key, int number) { add(key, QByteArray::number(number)); }
    void add(QLatin1String key, bool on) { add(key, on ? QByteArray("true") : QByteArray("false")); }
    // Keys written as `,"Key":value` each (CalendarIdentity::jobKeys()); false where `keys` is not.
    bool addKeys(const QByteArray &keys);

    [[nodiscard]] QByteArray text() const;

private:
    struct Member
    {
        QByteArray key;
        QByteArray value;
    };
    QVector<Member> m_members;
};

} // namespace JsonText

#endif
