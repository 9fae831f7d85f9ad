#include "labels/Gtin.h"

#include <algorithm>

namespace Gtin {

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

std::optional<QString> normalized(const QString &text)
{
    if (text.size() != 13 && text.size() != 14)
        return std::nullopt;
    if (!std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const QString gtin = text.size() == 13 ? QLatin1Char('0') + text : text;
    if (checkDigit(QStringView(gtin).first(13)) != gtin[13].digitValue())
        return std::nullopt;
    return gtin;
}

} // namespace Gtin
