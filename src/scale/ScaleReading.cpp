#include "scale/ScaleReading.h"

#include "station/NumberText.h"

#include <cmath>

namespace {
// Beyond this a number's digits would be made up in the formatting.
constexpr double ExactDigitsBound = 1e15;
} // namespace

QString ParseScaleReading(const QString &text)
{
    // The blank stays at the end of the piece; a number allows blanks around it.
    const qsizetype blank = text.indexOf(u' ');
    QString piece = text.left(blank + 1);
    piece.replace(u'.', u',');
    piece.remove(u'+');

    const auto value = NumberText::parse(piece);
    if (value && std::fabs(*value) < ExactDigitsBound)
        return NumberText::fixed(*value, 3);
    // A number too large to format is shown as it came, like any text that
    // is no number.
    return value ? piece.trimmed() : piece;
}
