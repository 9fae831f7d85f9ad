#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Number texts as the station shows them: Turkish separators, the decimal
// comma, weights with three decimals. Kept free of widgets so scale, weighing
// and label code share one reading of "12,345 Kg ".
namespace NumberText {

// "###0.##0" / "##0.000": no grouping, at least one integer digit, `decimals`
// decimals, comma separator. "#,###0.000": the same with "." grouping.
QString fixed(double value, int decimals = 3, bool grouping = false);

// "#,###0.000" as the order total shows it: 1234.5 -> "1.234,500".
inline QString grouped3(double value) { return fixed(value, 3, true); }

// A weight caption: "12,345 Kg " (number, blank, Kg, blank).
QString weightCaption(double kilograms);

// The plain number-to-text form: up to 15 significant digits, comma decimals,
// no grouping, no trailing zeros (1234.5 - 12.3 -> "1222,2").
QString plain(double value);

// Reads a number the way the station's Turkish regional setting does: comma
// decimals, "." grouping, blanks around it and a leading sign allowed
// ("1.234,5" -> 1234.5). No value when the text is not a number.
std::optional<double> parse(QStringView text);

// The number in front of " Kg " of a weight caption ("12,345 Kg " -> 12.345).
std::optional<double> parseWeightCaption(QStringView caption);

} // namespace NumberText
