#pragma once

#include "staff/LoginLockout.h"
#include "staff/StaffPasswords.h"

#include <QString>

// A staff member's name and password from the web login form, checked with
// the station's own passwords and lock: wrong passwords count toward the same
// lock as at the keypad. Only members of the station's staff list may log in;
// a member without a password sets one at the station first. Logins and
// wrong passwords go into the station's journal.
class WebLogin
{
public:
    enum class Outcome { Correct, Wrong, Locked, NoPassword, Unreadable };
    struct Result
    {
        Outcome outcome;
        QString message; // Turkish, for the form; empty when correct
        qint64 lockedSeconds = 0;
    };

    static inline const QString WebMark = QStringLiteral("web");

    explicit WebLogin(QString stationFolder, StationKey key = StationKey(), LoginLockout::Clock clock = {});

    Result check(const QString &name, const QString &password) const;

private:
    void journal(const QString &name, bool accepted, const QString &reason) const;

    QString m_folder;
    StaffPasswords m_passwords;
    LoginLockout m_lockout;
};
