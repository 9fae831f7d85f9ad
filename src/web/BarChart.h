#pragma once

#include "reports/ShipmentTotals.h"

#include <QString>

// The products' kilograms as an inline SVG bar chart: one <rect> per product,
// its height in proportion to the kilograms (a negative total as tall as its
// size, in another colour), each with data-kg and a <title> naming it.
namespace BarChart {

QString svg(const QList<ProductTotal> &totals);

} // namespace BarChart
