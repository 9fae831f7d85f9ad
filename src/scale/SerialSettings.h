#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The serial link's settings text: speed, parity letter, data bits and stop
// bits separated by commas, «9600,N,8,1» or «19200,E,7,1.5». The parity
// letter is read in either case and written in upper case.
struct SerialSettings
{
    int baudRate = 9600;
    QChar parity = u'N';   // E, O, N, M or S
    int dataBits = 8;      // 5..8
    QString stopBits = QStringLiteral("1"); // "1", "1.5" or "2"

    static std::optional<SerialSettings> parse(QStringView text);
    QString text() const;

    friend bool operator==(const SerialSettings &, const SerialSettings &) = default;
};
