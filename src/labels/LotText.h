#pragma once

#include <QDate>
#include <QString>

// A lot (batch) as the plant names it: what a GS1 barcode can carry in its
// batch field, so the text on the label and in the barcode is the same.
namespace LotText {

constexpr int MaxLength = 20;

// Why `lot` cannot be a lot (Turkish); empty when it can. An empty lot is
// fine: the production date stands in for it.
QString refusal(const QString &lot);

// The lot of a package weighed without one: its production date.
QString productionDateLot(const QDate &day);

} // namespace LotText
