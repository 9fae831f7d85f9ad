#pragma once

#include <QString>

class Recordset;

// The order rows table Tart as the weighing run changes it.
namespace OrderRows {

// Adds the row of one finished product: its name, its total added to the
// new row's Kilo default, and the product's barcode prefix. Tamam keeps its
// default (not yet booked). False when the row could not be stored.
bool addFinishedProduct(Recordset &rows, const QString &product, double kilo, const QString &barkod);

// The sum of every row's Kilo: the order total a restart shows again.
double total(const Recordset &rows);

// Removes the current row; afterwards the row that followed is current, or
// the new last row when the removed one was last.
bool removeCurrent(Recordset &rows);

} // namespace OrderRows
