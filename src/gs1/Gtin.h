#pragma once

#include <QString>
#include <optional>

// A trade item number as a product's extras keep it: 14 digits with their
// check digit.
namespace Gtin {

// `text` as GTIN-14: 14 digits, or 13 (an EAN-13) padded with a leading 0;
// no value when it is neither or its check digit is wrong.
std::optional<QString> normalized(const QString &text);

} // namespace Gtin
