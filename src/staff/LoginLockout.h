#pragma once

#include "station/SettingsStore.h"

#include <QDateTime>
#include <QString>
#include <functional>

// Wrong passwords in a row per staff member: from the fifth on, the member
// is refused for 30 seconds, twice as long with each further wrong entry, at
// most 15 minutes. Kept in the station key beside the passwords, so closing
// and starting the station again does not give a guesser a fresh count.
class LoginLockout
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr int FreeAttempts = 4; // the fifth wrong entry locks
    static constexpr qint64 FirstLockSeconds = 30;
    static constexpr qint64 LongestLockSeconds = 15 * 60;

    explicit LoginLockout(StationKey key = StationKey(), Clock clock = {});

    void setClock(Clock clock);

    // Seconds the member must still wait; 0 when the member may try.
    qint64 secondsLeft(const QString &name) const;
    // Counts a wrong entry; returns the seconds the member is now refused.
    qint64 recordWrong(const QString &name) const;
    // A correct entry (or a reset password) starts the count again.
    void clear(const QString &name) const;

    // How long `wrongInRow` wrong entries lock a member.
    static qint64 lockSeconds(int wrongInRow);
    // "KİLİTLİ: 28 SN", "KİLİTLİ: 2 DK 5 SN" for the keypad's display.
    static QString message(qint64 secondsLeft);

private:
    struct State
    {
        int wrongInRow = 0;
        qint64 lockedUntil = 0; // seconds since the epoch, UTC
    };
    static QString valueName(const QString &name);
    State read(const QString &name) const;
    qint64 now() const;

    StationKey m_key;
    Clock m_clock;
};
