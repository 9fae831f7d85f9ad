#pragma once

#include <QDate>
#include <QString>
#include <optional>

// What a package label says, worked out before anything is drawn, so a
// label that cannot be right is refused with its reason instead of printed.
namespace LabelContent {

// ": " and the date in the short date format (dd.MM.yyyy).
QString productionDateText(const QDate &today);

// The longest use-by period in days (ten years).
constexpr int MaxUseByDays = 3650;

// The use-by period of the header line: a whole number of days from 1 to
// MaxUseByDays; no value for anything else.
std::optional<int> useByDays(const QString &text);

// The use-by text. Days rule: today plus `days` (the header line) days;
// year rule: today's day and month in the next year. No value when the days
// are not a period useByDays accepts.
std::optional<QString> useByDateText(const QDate &today, bool yearRule, const QString &days);

// The barcode's code: the product's barcode text and the total weight in
// grams as five digits ("1,5 Kg " -> ...01500). No value when the weight
// does not fit five digits (100 kg or more) or is negative.
std::optional<QString> barcodeCode(const QString &barkod, const QString &weightCaption);

// Turkish reasons for the operator: a weight that cannot be coded is too
// large (100 kg or more) or negative; a use-by period useByDays refuses.
QString weightTooLargeReason(const QString &weightCaption);
QString useByDaysReason(const QString &days);

} // namespace LabelContent
