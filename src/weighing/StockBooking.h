#pragma once

#include <QDate>
#include <QString>

class Recordset;

// How booking an order went.
struct BookingResult
{
    int booked = 0;  // rows booked by this run
    QString failure; // Turkish, for the operator; empty when every row was booked

    bool ok() const { return failure.isEmpty(); }
};

// Books the order rows of Tart that are not yet booked (Tamam true; a
// missing value counts as booked) as stock movements of `day`: one
// StokHaraket row per order row with its product, its kilograms and the
// sale/purchase mode, after which the order row's Tamam is cleared. Rows
// already booked are skipped, so printing an order again books nothing twice.
//
// A movement whose order row cannot be marked is taken back and the booking
// stops there, so no row is ever booked twice; the rows left keep Tamam and
// are booked by the next print.
namespace StockBooking {

BookingResult book(Recordset &orderRows, Recordset &movements, const QDate &day, int alsatMode);

} // namespace StockBooking
