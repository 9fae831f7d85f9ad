#include "gs1/Gs1Text.h"

#include <algorithm>

namespace Gs1 {
namespace {

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

int checkDigit(QStringView digits)
{
    // Weights 3 and 1 alternate from the rightmost digit.
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += digits[i].digitValue() * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

bool isCharacter82(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    return QStringView(u"!\"%&'()*+,-./:;<=>?_").contains(c);
}

std::optional<QChar> outsideCharacterSet82(QStringView text)
{
    const auto bad = std::find_if_not(text.begin(), text.end(), isCharacter82);
    if (bad == text.end())
        return std::nullopt;
    return *bad;
}

std::optional<AiShape> shapeOf(QStringView ai)
{
    if (ai.size() < 2 || !allDigits(ai.first(2)))
        return std::nullopt;
    // The fixed lengths are GS1's table of predefined lengths (00-04, 11-20,
    // 31-36, 41); every other identifier's data ends with a separator, even
    // where its length happens to be fixed.
    switch (ai.first(2).toInt()) {
    case 0: return AiShape{2, 18, 18, true};                  // SSCC
    case 1: case 2: case 3: return AiShape{2, 14, 14, true};  // GTINs
    case 4: return AiShape{2, 16, 16, true};
    case 10: return AiShape{2, 0, 20, false};                 // batch or lot
    case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19:
        return AiShape{2, 6, 6, true};                        // dates YYMMDD
    case 20: return AiShape{2, 2, 2, true};
    case 21: case 22: return AiShape{2, 0, 20, false};
    case 23: case 24: case 25: return AiShape{3, 0, 30, false}; // 251: animal reference
    case 30: case 37: return AiShape{2, 0, 8, true};          // counts
    case 31: case 32: case 33: case 34: case 35: case 36:
        return AiShape{4, 6, 6, true};                        // measures
    case 39: return AiShape{4, 0, 18, false};
    case 41: return AiShape{3, 13, 13, true};                 // locations
    case 40: case 42: return AiShape{3, 0, 30, false};
    case 71: return AiShape{3, 0, 20, false};                 // national healthcare numbers
    case 43: case 70: case 72: case 80: case 81: case 82:
        return AiShape{4, 0, 90, false};
    default: break;
    }
    if (ai.first(2).toInt() >= 90)
        return AiShape{2, 0, 90, false};                      // company internal
    return std::nullopt;
}

bool hasFixedLength(QStringView ai)
{
    const auto shape = shapeOf(ai);
    return shape && shape->fixedLength > 0;
}

} // namespace Gs1
