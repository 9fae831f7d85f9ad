#include "scale/ScaleTextStream.h"

ScaleTextStream::ScaleTextStream(QObject *parent)
    : QObject(parent)
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(DefaultQuietGap);
    connect(&m_quietTimer, &QTimer::timeout, this, &ScaleTextStream::onQuietGap);
}

void ScaleTextStream::feed(QByteArrayView bytes)
{
    const QStringList readings = m_assembler.feed(bytes);
    if (m_assembler.hasPending() && !m_assembler.sawLineEnd())
        m_quietTimer.start();
    else
        m_quietTimer.stop();
    if (!readings.isEmpty())
        emit readingsReceived(readings);
}

void ScaleTextStream::reset()
{
    m_quietTimer.stop();
    m_assembler.reset();
}

void ScaleTextStream::resetMidStream()
{
    m_quietTimer.stop();
    m_assembler.resetMidStream();
}

void ScaleTextStream::onQuietGap()
{
    if (const std::optional<QString> reading = m_assembler.takePending())
        emit readingsReceived({*reading});
}
