#include "scale/SerialSettings.h"

#include <QList>

using namespace Qt::StringLiterals;

std::optional<SerialSettings> SerialSettings::parse(QStringView text)
{
    const auto fields = text.split(u',');
    if (fields.size() != 4)
        return std::nullopt;

    SerialSettings settings;
    bool ok = false;
    settings.baudRate = fields[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        return std::nullopt;

    const QStringView parity = fields[1].trimmed();
    if (parity.size() != 1 || !u"EONMS"_s.contains(parity[0].toUpper()))
        return std::nullopt;
    settings.parity = parity[0].toUpper();

    settings.dataBits = fields[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 5 || settings.dataBits > 8)
        return std::nullopt;

    settings.stopBits = fields[3].trimmed().toString();
    if (settings.stopBits != u"1"_s && settings.stopBits != u"1.5"_s && settings.stopBits != u"2"_s)
        return std::nullopt;
    return settings;
}

QString SerialSettings::text() const
{
    return QString::number(baudRate) + u',' + parity + u',' + QString::number(dataBits) + u','
        + stopBits;
}
