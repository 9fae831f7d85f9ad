#pragma once

#include "scale/ScaleFormat.h"

#include <QStringList>
#include <optional>

// Picks, for one scale, the reading the live weight shows from the readings
// of one arrival. An indicator that sends gross, tare and net lines weighs a
// package by its net line: a net line wins over a gross one in the same
// arrival, gross lines count only while the indicator has sent no net line
// for a while, and tare lines never count. Other formats: the first reading
// of the arrival.
class ScaleReader
{
public:
    // How long a net line keeps the indicator's gross lines out.
    static constexpr qint64 NetMemoryMs = 5000;

    void setFormat(ScaleFormat format) { m_format = format; }
    ScaleFormat format() const { return m_format; }

    // None when the arrival holds no package weight (tare lines only).
    std::optional<WeightReading> read(const QStringList &texts, qint64 nowMs);

private:
    ScaleFormat m_format = ScaleFormat::Classic;
    std::optional<qint64> m_netAtMs;
};
