#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <functional>
#include <optional>

// The logged-in browsers: a random id (the cookie's value) per login, kept
// only in the server's memory, each ending a shift's length after its login.
class WebSessions
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr qint64 LifetimeSeconds = 12 * 60 * 60;
    static constexpr int MaxSessions = 1000;

    explicit WebSessions(Clock clock = {});

    // A new session for `staff`; its id is 32 random bytes in hex.
    QByteArray open(const QString &staff);
    // The staff member of a live session; nothing for an unknown or ended id.
    std::optional<QString> staff(const QByteArray &id);
    void close(const QByteArray &id);
    int size() const { return int(m_sessions.size()); }

private:
    struct Session
    {
        QString staff;
        qint64 endsAt; // seconds since the epoch
    };
    qint64 now() const;
    void dropEnded();

    Clock m_clock;
    QHash<QByteArray, Session> m_sessions;
};
