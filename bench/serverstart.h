#ifndef BENCH_SERVERSTART_H
#define BENCH_SERVERSTART_H

#include <QByteArray>
#include <QDBusMessage>
#include <QDate>
#include <QString>

#include <sys/types.h>

// What the benchmarks of a desktop calendar (EDS, Akonadi) share: the data server started as the
// bus starts it and timed to its first answer that holds the calendar, beside a bare client of the
// same calendar run as a program of its own.
namespace Bench {

double nowMs();

// `argument` may be null.
pid_t spawn(const QByteArray &program, const char *argument);
// Terminates `pid` and reaps it, killing it if it lingers.
void stopProcess(pid_t pid);

// This benchmark's own binary with `--bare`, timed from fork() to its exit; -1 if it failed.
double runBare();

// A 7-day GetJobs from `first`, blocking, as the benchmarks measure it.
QDBusMessage getJobs(const QDate &first);

// The server started without calendars on its command line, timed to the first 7-day GetJobs
// from `today` whose answer names `marker` `expected` times; left running in `pid` (-1 if it
// ended). -1 if no such answer came within two minutes.
double startServer(const QDate &today, const QString &marker, int expected, pid_t *pid);

// Runs the bare program and the server in turn, and prints the rows of "data server, `what` of
// `events` events": start to the first answer with it beside the bare program, and a week not
// asked before. 1 where the calendar was not served.
int measureStarts(const QDate &today, const QString &what, const QString &marker, int expected, int events);

} // namespace Bench

#endif
