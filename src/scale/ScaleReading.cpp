#include "scale/ScaleReading.h"

#include "station/NumberText.h"

QString ParseScaleReading(const QString &text)
{
    // The blank stays at the end of the piece; a number allows blanks around it.
    const qsizetype blank = text.indexOf(u' ');
    QString piece = text.left(blank + 1);
    piece.replace(u'.', u',');
    piece.remove(u'+');

    if (const auto value = NumberText::parse(piece))
        return NumberText::fixed(*value, 3);
    return piece;
}
