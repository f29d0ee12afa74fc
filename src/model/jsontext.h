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
void appendString(QByteArray &out, const QString &text);

class Object
{
public:
    // `value` is JSON already; a key given again replaces the value before.
    void add(QLatin1String key, const QByteArray &value);
    void add(QLatin1String key, const QString &text);
    void add(QLatin1String key, const char *text) = delete;
    void add(QLatin1String key, int number) { add(key, QByteArray::number(number)); }
    void add(QLatin1String key, bool on) { add(key, on ? QByteArray("true") : QByteArray("false")); }
    // Keys written as `,"Key":value` each (CalendarIdentity::jobKeys()); false where `keys` is not.
    bool addKeys(const QByteArray &keys);

    [[nodiscard]] QByteArray text() const;

private:
    // The values one after the other in one buffer: a job's twenty members cost one allocation.
    struct Member
    {
        QLatin1String key;
        int from = 0;
        int to = 0;
    };
    // The member of that key, made if new.
    Member &member(QLatin1String key);

    QVector<Member> m_members;
    QByteArray m_values;
    QVector<QByteArray> m_keyTexts; // those of addKeys(), which the keys point into
};

} // namespace JsonText

#endif
