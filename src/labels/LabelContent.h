#pragma once

#include <QDate>
#include <QString>
#include <optional>

// What a package label says, worked out before anything is drawn, so a
// label that cannot be right is refused with its reason instead of printed.
namespace LabelContent {

// ": " and the date in the short date format (dd.MM.yyyy).
QString productionDateText(const QDate &today);

// The use-by text. Days rule: today plus `days` (the header line) days;
// year rule: today's day and month in the next year. No value when the days
// are not a number.
std::optional<QString> useByDateText(const QDate &today, bool yearRule, const QString &days);

// The barcode's code: the product's barcode text and the total weight in
// grams as five digits ("1,5 Kg " -> ...01500). No value when the weight
// does not fit five digits (100 kg or more) or is negative.
std::optional<QString> barcodeCode(const QString &barkod, const QString &weightCaption);

// Turkish reasons for the operator; a weight that cannot be coded is too
// large (100 kg or more) or negative.
QString weightTooLargeReason(const QString &weightCaption);
QString daysNotANumberReason(const QString &days);

} // namespace LabelContent
