#include "scale/ScaleReader.h"

using Kind = WeightReading::Kind;

std::optional<WeightReading> ScaleReader::read(const QStringList &texts, qint64 nowMs)
{
    std::optional<WeightReading> plain;
    std::optional<WeightReading> gross;
    std::optional<WeightReading> net;
    for (const QString &text : texts) {
        WeightReading reading = ReadScaleText(text, m_format);
        const auto keepFirst = [&reading](std::optional<WeightReading> &slot) {
            if (!slot)
                slot = std::move(reading);
        };
        switch (reading.kind) {
        case Kind::Net: keepFirst(net); break;
        case Kind::Gross: keepFirst(gross); break;
        case Kind::Plain: keepFirst(plain); break;
        case Kind::Other: break; // a tare is never a package
        }
    }
    if (net) {
        m_netAtMs = nowMs;
        return net;
    }
    const bool sendsNet = m_netAtMs && nowMs - *m_netAtMs < NetMemoryMs;
    if (gross && !sendsNet)
        return gross;
    return plain;
}
