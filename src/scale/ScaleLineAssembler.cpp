#include "scale/ScaleLineAssembler.h"

#include "station/Windows1254.h"

namespace {

qsizetype lineEnd(QByteArrayView bytes, qsizetype from)
{
    for (qsizetype i = from; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    }
    return -1;
}

} // namespace

std::optional<QString> ScaleLineAssembler::feed(QByteArrayView bytes)
{
    std::optional<QString> reading;
    qsizetype start = 0;
    for (qsizetype end = lineEnd(bytes, 0); end >= 0; end = lineEnd(bytes, start)) {
        m_sawLineEnd = true;
        const QByteArrayView piece = bytes.sliced(start, end - start);
        if (m_headTaken) {
            // The rest of a reading whose head was taken at a quiet gap.
            m_headTaken = false;
        } else if (!reading && (!m_pending.isEmpty() || !piece.isEmpty())) {
            appendBounded(piece);
            reading = Windows1254::decode(m_pending);
        }
        m_pending.clear();
        start = end + 1;
    }

    appendBounded(bytes.sliced(start));
    return reading;
}

void ScaleLineAssembler::appendBounded(QByteArrayView bytes)
{
    if (m_pending.size() + bytes.size() <= MaxPending) {
        m_pending.append(bytes);
        return;
    }
    // No scale sends that much without a line end: keep only the tail.
    if (bytes.size() >= KeptTail) {
        m_pending = bytes.last(KeptTail).toByteArray();
    } else {
        m_pending = m_pending.right(KeptTail - bytes.size());
        m_pending.append(bytes);
    }
}

std::optional<QString> ScaleLineAssembler::takePending()
{
    // Up to its blank a reading is not yet a number: wait for more.
    if (!m_pending.contains(' '))
        return std::nullopt;
    const QString reading = Windows1254::decode(m_pending);
    m_pending.clear();
    m_headTaken = true;
    return reading;
}

void ScaleLineAssembler::reset()
{
    m_pending.clear();
    m_sawLineEnd = false;
    m_headTaken = false;
}
