#pragma once

#include <QString>
#include <utility>

// Arithmetic on the weight captions of the weighing screen ("12,345 Kg ")
// and on the order total ("1.234,500").
namespace WeightCaptions {

// A caption's number; a caption holding no number counts as zero.
double value(const QString &caption);

// Whether a caption holds a number other than zero (a negative one counts).
bool isNonZero(const QString &caption);

// Adding the current reading as a package: the new previous-package and
// product-total captions. The total adds the rounded previous value.
std::pair<QString, QString> addPackage(const QString &current, const QString &total);

// The order total after a product total is added: "#,###0.000".
QString grownTotal(const QString &orderTotal, const QString &productTotal);

// The order total after a row of `kilo` is removed, in the plain form.
QString reducedTotal(const QString &orderTotal, double kilo);

} // namespace WeightCaptions
