#include "scale/ScaleLineAssembler.h"

#include "station/Windows1254.h"

#include <algorithm>

namespace {

constexpr char Stx = '\x02';
constexpr char Etx = '\x03';

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == Etx;
}

// Printable text only: a control byte inside a reading is line noise.
bool isReadable(const QByteArray &reading)
{
    return !reading.isEmpty() && std::none_of(reading.begin(), reading.end(), [](char c) {
        return (uchar(c) < 0x20 && c != '\t') || c == '\x7f';
    });
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

QStringList ScaleLineAssembler::feed(QByteArrayView bytes)
{
    QStringList lines;
    std::optional<QByteArray> newest;
    for (const char c : bytes) {
        if (isLineEnd(c)) {
            m_sawLineEnd = true;
            if (closeReading() && lines.size() < MaxReadingsPerArrival)
                lines << Windows1254::decode(m_pending);
            m_pending.clear();
            m_boundaries = 0;
            m_boundaryAt = 0;
            continue;
        }
        if (c == Stx) {
            // Nothing before a frame's start belongs to its reading.
            closeReading();
            m_pending.clear();
            m_boundaries = 0;
            m_boundaryAt = 0;
            m_last = c;
            continue;
        }
        if (m_blankSeen && startsNumber(c) && endsReading(m_last)) {
            if (m_sawLineEnd && ++m_boundaries >= UnendedProof) {
                // The line ends have stopped: keep only the newest reading.
                m_sawLineEnd = false;
                m_pending.remove(0, std::min(m_boundaryAt, m_pending.size()));
            }
            if (!m_sawLineEnd) {
                if (closeReading())
                    newest = m_pending;
                m_pending.clear();
            } else {
                m_boundaryAt = m_pending.size();
            }
        }
        m_last = c;
        // Blanks in front of the number ("S S     1.250 kg") end nothing.
        if (c >= '0' && c <= '9')
            m_digitSeen = true;
        else if (c == ' ' && m_digitSeen)
            m_blankSeen = true;
        if (m_taken || m_dropping)
            continue;
        if (m_pending.size() >= MaxPending) {
            // No scale sends that much in one reading.
            m_pending.clear();
            m_boundaryAt = 0;
            m_dropping = true;
            continue;
        }
        m_pending.append(c);
    }

    if (lines.isEmpty() && newest)
        lines << Windows1254::decode(*newest);
    return lines;
}

bool ScaleLineAssembler::closeReading()
{
    const bool counts = !m_taken && !m_dropping && isReadable(m_pending);
    m_taken = false;
    m_dropping = false;
    m_blankSeen = false;
    m_digitSeen = false;
    return counts;
}

std::optional<QString> ScaleLineAssembler::takePending()
{
    // Up to its blank a reading is not yet a number: wait for more.
    if (m_taken || m_dropping || !m_pending.contains(' ') || !isReadable(m_pending))
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
    m_digitSeen = false;
    m_last = '\0';
    m_boundaries = 0;
    m_boundaryAt = 0;
}

void ScaleLineAssembler::resetMidStream()
{
    reset();
    m_dropping = true;
}
