#pragma once

#include <QByteArray>
#include <QStringList>

// Writes CSV records in UTF-8 (RFC 4180): fields holding a comma, a quote or
// a line break are quoted, every record ends in CRLF.
namespace CsvWriter {

QByteArray record(const QStringList &fields);

// "1234.500": a decimal point and three decimals, for accounting programs.
QString kilo(double value);

} // namespace CsvWriter
