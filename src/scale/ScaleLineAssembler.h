#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Puts a scale's byte stream back into readings. TCP may split one reading
// over two arrivals, so text is kept until a line end (CR or LF) completes it;
// of the readings one arrival completes, the first is used. A scale that never
// sends a line end is served by takePending() after a quiet gap, once the text
// holds the blank that ends a reading's number; should a line end follow after
// all, it closes the reading already taken and is not read again. Text without
// a line end is kept only up to a bound, so endless or binary input cannot
// grow memory.
class ScaleLineAssembler
{
public:
    static constexpr qsizetype MaxPending = 4096;
    // What is kept of overlong text: enough for any reading in progress.
    static constexpr qsizetype KeptTail = 256;

    // One arrival; returns the first non-empty reading it completes.
    std::optional<QString> feed(QByteArrayView bytes);

    // Text waiting for a line end, taken as a reading as it stands when it
    // holds a blank.
    std::optional<QString> takePending();

    bool hasPending() const { return !m_pending.isEmpty(); }
    // Once a scale has shown that it ends its readings, waiting text is
    // always the head of the next reading and is never taken early.
    bool sawLineEnd() const { return m_sawLineEnd; }
    qsizetype pendingSize() const { return m_pending.size(); }

    // A new connection: nothing carries over.
    void reset();

private:
    void appendBounded(QByteArrayView bytes);

    QByteArray m_pending;
    bool m_sawLineEnd = false;
    bool m_headTaken = false;
};
