#pragma once

#include <QByteArray>
#include <QStringList>

// Writes CSV records in UTF-8 (RFC 4180): fields holding a comma, a quote or
// a line break are quoted (every field with Quote::All), every record ends in CRLF.
namespace CsvWriter {

enum class Quote { AsNeeded, All };

QByteArray record(const QStringList &fields, Quote quote = Quote::AsNeeded);

// "1234.500": a decimal point and three decimals, for accounting programs.
QString kilo(double value);

} // namespace CsvWriter
