#include "staff/LoginLockout.h"

#include <algorithm>

using namespace Qt::StringLiterals;

LoginLockout::LoginLockout(StationKey key, Clock clock)
    : m_key(std::move(key))
    , m_clock(std::move(clock))
{
}

void LoginLockout::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QString LoginLockout::valueName(const QString &name)
{
    return u"Kilit/"_s + name;
}

qint64 LoginLockout::now() const
{
    return (m_clock ? m_clock() : QDateTime::currentDateTimeUtc()).toSecsSinceEpoch();
}

LoginLockout::State LoginLockout::read(const QString &name) const
{
    // "wrong entries in a row;locked until (seconds since the epoch)"
    const QStringList parts = m_key.read(valueName(name)).value_or(QString()).split(u';');
    State state;
    if (parts.size() == 2) {
        state.wrongInRow = std::max(0, parts[0].toInt());
        state.lockedUntil = parts[1].toLongLong();
    }
    return state;
}

qint64 LoginLockout::lockSeconds(int wrongInRow)
{
    if (wrongInRow <= FreeAttempts)
        return 0;
    qint64 seconds = FirstLockSeconds;
    for (int i = FreeAttempts + 1; i < wrongInRow && seconds < LongestLockSeconds; ++i)
        seconds *= 2;
    return std::min(seconds, LongestLockSeconds);
}

qint64 LoginLockout::secondsLeft(const QString &name) const
{
    const qint64 left = read(name).lockedUntil - now();
    // A clock set back never locks anyone for longer than the longest lock.
    return std::clamp<qint64>(left, 0, LongestLockSeconds);
}

qint64 LoginLockout::recordWrong(const QString &name) const
{
    State state = read(name);
    ++state.wrongInRow;
    const qint64 seconds = lockSeconds(state.wrongInRow);
    state.lockedUntil = seconds > 0 ? now() + seconds : 0;
    m_key.write(valueName(name), QString::number(state.wrongInRow) + u';' + QString::number(state.lockedUntil));
    return seconds;
}

void LoginLockout::clear(const QString &name) const
{
    if (m_key.read(valueName(name)))
        m_key.remove(valueName(name));
}

QString LoginLockout::message(qint64 secondsLeft)
{
    const qint64 minutes = secondsLeft / 60;
    const qint64 seconds = secondsLeft % 60;
    QString left;
    if (minutes > 0)
        left = QString::number(minutes) + u" DK"_s + (seconds > 0 ? u" "_s : QString());
    if (seconds > 0 || minutes == 0)
        left += QString::number(seconds) + u" SN"_s;
    return u"KİLİTLİ: "_s + left;
}
