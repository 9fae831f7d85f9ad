#pragma once

#include <QDate>
#include <QString>

class StationDatabase;

// How booking an order went.
struct BookingResult
{
    int booked = 0;  // rows booked by this run
    QString failure; // Turkish, for the operator; empty when every row was booked

    bool ok() const { return failure.isEmpty(); }
};

// Books the order rows of Tart (Tavran.db) that are not yet booked (Tamam
// true; a missing value counts as booked) as stock movements of `day` in
// StokHaraket (Stok.db): one movement per order row with its product, its
// kilograms and the sale/purchase mode, and the row's Tamam cleared.
//
// Both files change in one SQLite transaction (Tavran.db attached to the
// Stok.db connection, rollback journals, so SQLite commits the two files
// through one super-journal): a kill, a power cut or an error at any instant
// leaves every row either booked once or not at all. On an error nothing of
// this run is booked and the next print books the rows again. Movements are
// only appended, never read. The packages of each booked row are tied to
// `customer` (the name on the slip), the mode and the day in the same
// transaction.
namespace StockBooking {

BookingResult book(const StationDatabase &stok, const StationDatabase &tavran, const QDate &day,
                   int alsatMode, const QString &customer = {});

} // namespace StockBooking
