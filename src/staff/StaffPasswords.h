#pragma once

#include "station/SettingsStore.h"

#include <QString>
#include <QStringList>

// The staff's passwords in the station key, one value per member named
// exactly like the member, each a hash. A clear password left by an older
// station still lets its member in once and is replaced by its hash then.
class StaffPasswords
{
public:
    // Unreadable: the station key could not be read, so nobody can tell
    // whether the member has a password; such an entry is no attempt.
    enum class Check { NoPassword, Correct, Wrong, Unreadable };

    explicit StaffPasswords(StationKey key = StationKey());

    // Compares what `name` keyed with the stored password; for an unreadable
    // key `problem` says why (Turkish).
    Check check(const QString &name, const QString &typed, QString *problem = nullptr) const;
    // Stores `password` (hashed) as the member's password.
    bool store(const QString &name, const QString &password) const;
    // Removes the member's password: the next entry sets a new one.
    bool reset(const QString &name) const;

    // Whether the station key value `name` = `value` is a password: a hash,
    // or any value named after a member of `staff` (a clear one of old).
    static bool isPassword(const QString &name, const QString &value, const QStringList &staff);

private:
    StationKey m_key;
};
