#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// Puts a scale's byte stream back into readings. TCP may split one reading
// over two arrivals, so text is kept until the reading is complete.
//
// A scale that ends its readings with CR, LF or ETX: a line end completes a
// reading, and the readings one arrival completes are handed on, in order
// (the first MaxReadingsPerArrival of them).
// STX starts a reading afresh.
//
// A scale that sends no line ends: a reading is complete when the next one
// starts, that is when, after the blank behind the number, a sign or digit
// follows a letter or blank ("+0012.345 kg+0012.350 kg"). Of the readings
// one arrival completes, the newest is used, so the live weight lags one
// reading at most. The last reading of a pause is served by takePending()
// after a quiet gap; the rest of a reading taken that way is not read again.
//
// A scale that once ended a reading and then sends readings without line
// ends (or random bytes that held a line end) is taken as one that sends
// none after three reading boundaries in a row. A reading holding a control
// byte is dropped: noise, never a weight.
//
// Text of a reading in progress is kept only up to a bound: an overlong one
// is dropped whole, together with whatever follows it up to the next reading
// boundary, so nothing of it is ever glued to a real reading.
class ScaleLineAssembler
{
public:
    static constexpr qsizetype MaxPending = 4096;
    // A flood of short lines is not handed on line by line: an indicator's
    // gross, tare and net block fits many times over.
    static constexpr qsizetype MaxReadingsPerArrival = 16;

    // Boundaries in a row without a line end that show a scale sends none.
    static constexpr int UnendedProof = 3;

    // One arrival; returns the readings it completes, oldest first.
    QStringList feed(QByteArrayView bytes);

    // The reading in progress as it stands, when its number is complete
    // (it holds a blank).
    std::optional<QString> takePending();

    bool hasPending() const { return !m_pending.isEmpty(); }
    // Once a scale has shown that it ends its readings, waiting text is
    // always the head of the next reading and is never taken early.
    bool sawLineEnd() const { return m_sawLineEnd; }
    qsizetype pendingSize() const { return m_pending.size(); }

    // A new connection: nothing carries over.
    void reset();
    // A link opened while the scale talks (a serial port): its first text
    // may be the tail of a reading, so it is dropped up to the first line
    // end or reading boundary.
    void resetMidStream();

private:
    // The reading in progress ends here; whether it counts.
    bool closeReading();

    QByteArray m_pending;
    bool m_sawLineEnd = false;
    // The reading in progress was already handed on, or is overlong: the
    // rest of it is dropped.
    bool m_taken = false;
    bool m_dropping = false;
    // Since the start of the reading in progress, dropped text included: a
    // digit, and a blank behind one.
    bool m_digitSeen = false;
    bool m_blankSeen = false;
    char m_last = '\0';
    // While line ends are expected: reading boundaries since the last line
    // end, and where the newest one starts in m_pending.
    int m_boundaries = 0;
    qsizetype m_boundaryAt = 0;
};
