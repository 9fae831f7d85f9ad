#pragma once

#include <QString>

// The display text of one scale reading: the number in front of the first
// blank, "." read as the decimal comma and "+" dropped, formatted "###0.##0"
// ("+0012.345 kg" -> "12,345"). A piece that is not a number, or one too large
// to format without inventing digits, comes back as it is; text without a
// blank gives an empty piece.
QString ParseScaleReading(const QString &text);
