#pragma once

#include <QString>
#include <optional>

// What every GS1 text obeys, whether a label prints it or a scanner reads it.
namespace Gs1 {

// The mod-10 check digit of `digits` (the number without its check digit).
int checkDigit(QStringView digits);

// Digits, Latin letters and the punctuation of GS1's 82-character set, the
// one its alphanumeric fields allow.
bool isCharacter82(QChar c);
// The first character of `text` outside that set, if any.
std::optional<QChar> outsideCharacterSet82(QStringView text);

// How an application identifier and its data are laid out, told by the
// identifier's first two digits.
struct AiShape
{
    int aiLength = 0;    // digits of the identifier
    int fixedLength = 0; // data length fixed beforehand (no separator after it); 0: variable
    int maxLength = 0;   // longest data
    bool numeric = false;
};
// No value for identifiers GS1 does not assign.
std::optional<AiShape> shapeOf(QStringView ai);

// Whether data of `ai` has a fixed length, so no separator follows it.
bool hasFixedLength(QStringView ai);

} // namespace Gs1
