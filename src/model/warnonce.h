#ifndef SCHEDULE_WARNONCE_H
#define SCHEDULE_WARNONCE_H

#include <QHash>
#include <QString>

// Remembers which warnings were given, so that a fault that stays as it is (a damaged file read
// again, a server that keeps failing) is told once and not at every retry. A subject keeps only its
// last cause: another cause is new again, and so is the old one after that.
class WarnOnce
{
public:
    // True when `cause` is new for `subject`; from then on it is not, until the cause changes or
    // the subject is forgotten. A warning that is its own subject is told once for good.
    [[nodiscard]] bool firstTime(const QString &subject, const QString &cause = QString());
    // The subject is well again: its next fault is told whatever it is.
    void forget(const QString &subject);

private:
    QHash<QString, QString> m_causes;
};

#endif
