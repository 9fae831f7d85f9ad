#pragma once

#include "scale/ScaleLineAssembler.h"

#include <QObject>
#include <QTimer>
#include <chrono>

// The readings of one scale's byte stream, whatever the link: the line
// assembly, and for a scale that ends no readings the quiet gap after which
// the last reading of a pause is taken.
class ScaleTextStream : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultQuietGap{80};

    explicit ScaleTextStream(QObject *parent = nullptr);

    void feed(QByteArrayView bytes);
    // A new connection: nothing carries over.
    void reset();
    // A link opened into a running stream: its first text may be a tail.
    void resetMidStream();
    void setQuietGap(std::chrono::milliseconds gap) { m_quietTimer.setInterval(gap); }

signals:
    // The readings of one arrival as the scale sent them, without their
    // line ends, oldest first.
    void readingsReceived(const QStringList &texts);

private:
    void onQuietGap();

    ScaleLineAssembler m_assembler;
    QTimer m_quietTimer;
};
