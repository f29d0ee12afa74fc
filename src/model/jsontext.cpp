#include "jsontext.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

// What QJsonDocument makes of a string the fast way does not vouch for (a lone surrogate).
QByteArray asQtWritesIt(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

char hexDigit(uint value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

} // namespace

namespace JsonText {

QByteArray string(const QString &text)
{
    QByteArray out;
    appendString(out, text);
    return out;
}

void appendString(QByteArray &out, const QString &text)
{
    // Written through a pointer into room for the longest form: appended a byte at a time, the
    // checks of each append were a fifteenth of a large answer.
    const qsizetype start = out.size();
    const qsizetype size = text.size();
    out.resize(start + 6 * size + 2); // \u00XX is the longest form of one UTF-16 unit
    char *p = out.data() + start;
    *p++ = '"';
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = chars[i].unicode();
        if (u < 0x80) {
            if (u >= 0x20 && u != '"' && u != '\\') {
                *p++ = char(u);
                continue;
            }
            *p++ = '\\';
            switch (u) {
            case '"':
            case '\\':
                *p++ = char(u);
                break;
            case '\b':
                *p++ = 'b';
                break;
            case '\f':
                *p++ = 'f';
                break;
            case '\n':
                *p++ = 'n';
                break;
            case '\r':
                *p++ = 'r';
                break;
            case '\t':
                *p++ = 't';
                break;
            default:
                *p++ = 'u';
                *p++ = '0';
                *p++ = '0';
                *p++ = hexDigit(u >> 4);
                *p++ = hexDigit(u & 0xf);
            }
        } else if (u < 0x800) {
            *p++ = char(0xc0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3f));
        } else if (!QChar::isSurrogate(u)) {
            *p++ = char(0xe0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3f));
            *p++ = char(0x80 | (u & 0x3f));
        } else if (QChar::isHighSurrogate(u) && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(u, chars[++i].unicode());
            *p++ = char(0xf0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3f));
            *p++ = char(0x80 | ((c >> 6) & 0x3f));
            *p++ = char(0x80 | (c & 0x3f));
        } else {
            out.truncate(start);
            out += asQtWritesIt(text);
            return;
        }
    }
    *p++ = '"';
    out.truncate(p - out.constData());
}

Object::Member &Object::member(QLatin1String key)
{
    for (Member &member : m_members) {
        if (member.key == key)
            return member; // a later value stands; the earlier one stays unused in the buffer
    }
    m_members.push_back({key, 0, 0});
    return m_members.last();
}

void Object::add(QLatin1String key, const QByteArray &value)
{
    Member &added = member(key);
    added.from = int(m_values.size());
    m_values += value;
    added.to = int(m_values.size());
}

void Object::add(QLatin1String key, const QString &text)
{
    Member &added = member(key);
    added.from = int(m_values.size());
    appendString(m_values, text);
    added.to = int(m_values.size());
}

bool Object::addKeys(const QByteArray &keys)
{
    m_keyTexts << keys;
    const char *text = m_keyTexts.last().constData();
    const int size = int(keys.size());
    for (int at = 0; at < size;) {
        if (text[at] != ',' || at + 1 >= size || text[at + 1] != '"')
            return false;
        const int keyFrom = at + 2;
        const int keyTo = keys.indexOf('"', keyFrom);
        if (keyTo < 0 || keyTo + 1 >= size || text[keyTo + 1] != ':')
            return false;
        // The value ends at the first comma outside a string.
        int end = keyTo + 2;
        for (bool quoted = false; end < size && (quoted || text[end] != ','); ++end) {
            if (text[end] == '\\' && quoted)
                ++end;
            else if (text[end] == '"')
                quoted = !quoted;
        }
        end = qMin(end, size);
        Member &added = member(QLatin1String(text + keyFrom, keyTo - keyFrom));
        added.from = int(m_values.size());
        m_values.append(text + keyTo + 2, end - keyTo - 2);
        added.to = int(m_values.size());
        at = end;
    }
    return true;
}

QByteArray Object::text() const
{
    QVector<const Member *> sorted;
    sorted.reserve(m_members.size());
    int size = 2;
    for (const Member &member : m_members) {
        sorted << &member;
        size += int(member.key.size()) + member.to - member.from + 4;
    }
    std::sort(sorted.begin(), sorted.end(), [](const Member *a, const Member *b) { return a->key < b->key; });
    QByteArray out;
    out.reserve(size);
    out += '{';
    for (const Member *member : std::as_const(sorted)) {
        if (out.size() > 1)
            out += ',';
        out += '"';
        out.append(member->key.data(), member->key.size());
        out += "\":";
        out.append(m_values.constData() + member->from, member->to - member->from);
    }
    out += '}';
    return out;
}

} // namespace JsonText
