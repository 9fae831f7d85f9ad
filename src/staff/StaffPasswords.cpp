#include "staff/StaffPasswords.h"

#include "staff/PasswordHash.h"

StaffPasswords::StaffPasswords(StationKey key)
    : m_key(std::move(key))
{
}

StaffPasswords::Check StaffPasswords::check(const QString &name, const QString &typed, QString *problem) const
{
    const StationKey::Lookup found = m_key.lookup(name);
    if (!found.readable()) {
        if (problem)
            *problem = found.problem;
        return Check::Unreadable;
    }
    const QString stored = found.value.value_or(QString());
    if (stored.isEmpty())
        return Check::NoPassword;
    if (PasswordHash::isHash(stored))
        return PasswordHash::matches(stored, typed) ? Check::Correct : Check::Wrong;
    if (typed != stored)
        return Check::Wrong;
    // A clear password from an older station: right once, then only its hash is kept.
    store(name, typed);
    return Check::Correct;
}

bool StaffPasswords::store(const QString &name, const QString &password) const
{
    const QString hash = PasswordHash::make(password);
    return !hash.isEmpty() && m_key.write(name, hash);
}

bool StaffPasswords::reset(const QString &name) const
{
    return m_key.remove(name);
}

bool StaffPasswords::isPassword(const QString &name, const QString &value, const QStringList &staff)
{
    return PasswordHash::isHash(value) || staff.contains(name, Qt::CaseInsensitive);
}
