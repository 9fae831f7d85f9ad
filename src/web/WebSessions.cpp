#include "web/WebSessions.h"

#include <QRandomGenerator>

#include <algorithm>

WebSessions::WebSessions(Clock clock)
    : m_clock(std::move(clock))
{
}

qint64 WebSessions::now() const
{
    return (m_clock ? m_clock() : QDateTime::currentDateTimeUtc()).toSecsSinceEpoch();
}

QByteArray WebSessions::open(const QString &staff)
{
    if (m_sessions.size() >= MaxSessions)
        dropEnded();
    if (m_sessions.size() >= MaxSessions) {
        // Full of live sessions: the one nearest its end makes room.
        const auto oldest = std::min_element(m_sessions.begin(), m_sessions.end(),
                                             [](const Session &a, const Session &b) { return a.endsAt < b.endsAt; });
        m_sessions.erase(oldest);
    }
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray id = QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex();
    m_sessions.insert(id, {staff, now() + LifetimeSeconds});
    return id;
}

std::optional<QString> WebSessions::staff(const QByteArray &id)
{
    const auto found = m_sessions.constFind(id);
    if (found == m_sessions.constEnd())
        return std::nullopt;
    if (found->endsAt <= now()) {
        m_sessions.erase(found);
        return std::nullopt;
    }
    return found->staff;
}

void WebSessions::close(const QByteArray &id)
{
    m_sessions.remove(id);
}

void WebSessions::dropEnded()
{
    const qint64 at = now();
    m_sessions.removeIf([at](const auto &entry) { return entry.value().endsAt <= at; });
}
