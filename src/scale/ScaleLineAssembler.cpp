#include "scale/ScaleLineAssembler.h"

#include "station/Windows1254.h"

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool startsNumber(char c)
{
    return c == '+' || c == '-' || (c >= '0' && c <= '9');
}

// What stands before a new reading: the unit's letters or a blank, never a
// digit, point or sign of the number before.
bool endsReading(char c)
{
    return c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::optional<QString> ScaleLineAssembler::feed(QByteArrayView bytes)
{
    std::optional<QByteArray> firstLine;
    std::optional<QByteArray> newest;
    for (const char c : bytes) {
        if (isLineEnd(c)) {
            m_sawLineEnd = true;
            if (closeReading() && !firstLine)
                firstLine = m_pending;
            m_pending.clear();
            continue;
        }
        if (!m_sawLineEnd && m_blankSeen && startsNumber(c) && endsReading(m_last)) {
            if (closeReading())
                newest = m_pending;
            m_pending.clear();
        }
        m_last = c;
        if (c == ' ')
            m_blankSeen = true;
        if (m_taken || m_dropping)
            continue;
        if (m_pending.size() >= MaxPending) {
            // No scale sends that much in one reading.
            m_pending.clear();
            m_dropping = true;
            continue;
        }
        m_pending.append(c);
    }

    const std::optional<QByteArray> &reading = firstLine ? firstLine : newest;
    if (!reading)
        return std::nullopt;
    return Windows1254::decode(*reading);
}

bool ScaleLineAssembler::closeReading()
{
    const bool counts = !m_taken && !m_dropping && !m_pending.isEmpty();
    m_taken = false;
    m_dropping = false;
    m_blankSeen = false;
    return counts;
}

std::optional<QString> ScaleLineAssembler::takePending()
{
    // Up to its blank a reading is not yet a number: wait for more.
    if (m_taken || m_dropping || !m_pending.contains(' '))
        return std::nullopt;
    const QString reading = Windows1254::decode(m_pending);
    m_pending.clear();
    m_taken = true;
    return reading;
}

void ScaleLineAssembler::reset()
{
    m_pending.clear();
    m_sawLineEnd = false;
    m_taken = false;
    m_dropping = false;
    m_blankSeen = false;
    m_last = '\0';
}

void ScaleLineAssembler::resetMidStream()
{
    reset();
    m_dropping = true;
}
