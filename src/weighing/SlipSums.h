#pragma once

#include "weighing/SlipLine.h"

#include <QList>

class Recordset;
class StationData;

// The per-product sums of an order in the scratch table StokTmp: rebuilt by
// every slip preview, read again when the slip is printed.
namespace SlipSums {

// The order rows of Tart in table order. Read in one pass without moving the
// current row, so the slip is drawn from rows that cannot change under it.
QList<SlipLine> readRows(const Recordset &orderRows);

// Adds `kilo` to the record of `product`, appending one when there is none.
bool add(Recordset &sums, const QString &product, double kilo);

// Empties StokTmp and sums `rows` into it per product. A row that cannot be
// added is logged and skipped; false when anything failed.
bool rebuild(StationData &data, const QList<SlipLine> &rows);

// The per-product lines the preview would store, worked out without
// touching StokTmp: products in the order they first appear, names matched
// as the scratch table's search matches them.
QList<SlipLine> sumRows(const QList<SlipLine> &rows);

// The sums in table order.
QList<SlipLine> read(const Recordset &sums);

} // namespace SlipSums
