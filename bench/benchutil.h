#ifndef BENCH_BENCHUTIL_H
#define BENCH_BENCHUTIL_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTextStream>
#include <QVector>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Bench {

inline double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

template<typename F> double elapsedMs(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1e6;
}

// Runs count from the environment (BENCH_RUNS), so a quick look can take fewer.
inline int runs(int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("BENCH_RUNS", &ok);
    return ok && value > 0 ? value : fallback;
}

inline QByteArray procStatusField(qint64 pid, const char *field)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return {};
}

// kB values of /proc/<pid>/status (VmHWM, VmRSS) in MiB; -1 when the process is gone.
inline double procMiB(qint64 pid, const char *field)
{
    const QByteArray value = procStatusField(pid, field);
    if (value.isEmpty())
        return -1;
    return value.split(' ').first().toDouble() / 1024.0;
}

inline double selfMiB(const char *field)
{
    return procMiB(getpid(), field);
}

// Bytes handed out by malloc and not yet freed.
inline qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd);
}

// One line of the results table: figure, value, baseline, ratio, target, met.
// A figure with an absolute target passes baseline < 0 and ratio 0.
inline bool row(const QString &figure, const QString &value, const QString &baseline, double ratio,
                const QString &target, bool met)
{
    QTextStream out(stdout);
    out << "| " << figure << " | " << value << " | " << baseline << " | "
        << (ratio > 0 ? QString::number(ratio, 'f', 2) : QStringLiteral("-")) << " | " << target << " | "
        << (met ? "yes" : "NO") << " |\n";
    out.flush();
    return met;
}

// A figure reported without a target.
inline void reportRow(const QString &figure, const QString &value)
{
    QTextStream out(stdout);
    out << "| " << figure << " | " << value << " | - | - | report only | - |\n";
    out.flush();
}

inline bool ratioRow(const QString &figure, double value, double baseline, const QString &unit,
                     double maxRatio)
{
    const double ratio = baseline > 0 ? value / baseline : 0;
    return row(figure, QString::number(value, 'f', 1) + QLatin1Char(' ') + unit,
               QString::number(baseline, 'f', 1) + QLatin1Char(' ') + unit, ratio,
               QStringLiteral("ratio ≤ %1").arg(maxRatio), ratio > 0 && ratio <= maxRatio);
}

inline bool limitRow(const QString &figure, double value, const QString &unit, double limit,
                     const QString &baseline = QStringLiteral("-"), int decimals = 1)
{
    return row(figure, QString::number(value, 'f', decimals) + QLatin1Char(' ') + unit, baseline, 0,
               QStringLiteral("≤ %1 %2").arg(limit).arg(unit), value <= limit);
}

inline void note(const QString &text)
{
    QTextStream(stderr) << text << '\n';
}

} // namespace Bench

#endif
