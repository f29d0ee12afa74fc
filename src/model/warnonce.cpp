#include "warnonce.h"

bool WarnOnce::firstTime(const QString &subject, const QString &cause)
{
    const auto last = m_causes.constFind(subject);
    if (last != m_causes.cend() && *last == cause)
        return false;
    m_causes.insert(subject, cause);
    return true;
}

void WarnOnce::forget(const QString &subject)
{
    m_causes.remove(subject);
}
