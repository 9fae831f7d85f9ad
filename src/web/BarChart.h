#pragma once

#include "reports/ShipmentTotals.h"

#include <QString>

// The products' kilograms as an inline SVG bar chart: one <rect> per product,
// its height in proportion to the kilograms (a negative total drawn down
// from the same scale, in another colour), each with data-kg and a <title>.
namespace BarChart {

QString svg(const QList<ProductTotal> &totals);

} // namespace BarChart
