#include "utf8text.h"

#include <QByteArray>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QUtf8StringView>
#else
#include <QTextCodec>
#endif

namespace Utf8Text {
bool isValid(const QByteArray &bytes)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QUtf8StringView(bytes).isValidUtf8();
#else
    QTextCodec::ConverterState state;
    QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state); // 106: UTF-8
    return state.invalidChars == 0 && state.remainingChars == 0;
#endif
}
} // namespace Utf8Text
