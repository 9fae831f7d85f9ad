#include "gs1/Gtin.h"

#include "gs1/Gs1Text.h"

#include <algorithm>

namespace Gtin {

std::optional<QString> normalized(const QString &text)
{
    if (text.size() != 13 && text.size() != 14)
        return std::nullopt;
    if (!std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const QString gtin = text.size() == 13 ? QLatin1Char('0') + text : text;
    if (Gs1::checkDigit(QStringView(gtin).first(13)) != gtin[13].digitValue())
        return std::nullopt;
    return gtin;
}

} // namespace Gtin
