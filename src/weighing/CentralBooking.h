#pragma once

#include "data/PackageRecord.h"
#include "weighing/StockBooking.h"

#include <QDate>

class CentralDatabase;
class StationDatabase;

// Books the station's unbooked order rows (Tart in the station folder) as
// stock movements on the central server, each exactly once:
//  1. every unbooked row gets a key, kept in the station folder beside Tart
//     (TartAnahtar) in one local transaction, before anything is sent;
//  2. the rows go to the server in one transaction, each with its key; a key
//     the server already holds adds nothing;
//  3. the rows' Tamam is cleared and their keys dropped locally.
// A kill, a lost connection or a server restart between any two steps
// leaves the rows unbooked locally; the next print sends the same keys
// again, so nothing is booked twice. Two processes on one folder agree on
// the keys through step 1's lock.
// The packages of the rows go to the server in step 2's transaction, tied to
// `customer`; in step 3 the folder's own records of them are tied too.
namespace CentralBooking {

BookingResult book(CentralDatabase &central, const StationDatabase &tavran, const QDate &day,
                   int alsatMode, const QString &customer = {});

// The steps one by one, for a station that stops between them.
struct PendingRow
{
    qint64 rowid = 0;
    QString product;
    double kilo = 0;
    QString key;
};
// Steps 1 and 2 as above; each false with `failure` (Turkish) filled in.
bool assignKeys(const StationDatabase &tavran, QList<PendingRow> &rows, QString &failure);
bool send(CentralDatabase &central, const QList<PendingRow> &rows, const QDate &day, int alsatMode,
          QString &failure, const QList<PackageRecord> &packages = {});

} // namespace CentralBooking
