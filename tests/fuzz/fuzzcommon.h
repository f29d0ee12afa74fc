#ifndef TESTS_FUZZ_FUZZCOMMON_H
#define TESTS_FUZZ_FUZZCOMMON_H

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace Fuzz {

// Every odd input makes the readers warn; printing each warning would cost more than the reading.
inline void quietMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

// A core application, for the code that asks for one (timers, the locale, file names).
inline void startApplication(int *argc, char ***argv)
{
    qInstallMessageHandler(quietMessages);
    static QCoreApplication application(*argc, *argv);
}

// Outside text reaches the readers as UTF-8, invalid sequences included.
inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(size));
}

} // namespace Fuzz

// Libraries' own checks that libFuzzer cannot see: a broken promise becomes a crash it reports.
#define FUZZ_ASSERT(condition)                                                                               \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            __builtin_trap();                                                                                \
    } while (false)

#endif
