#pragma once

#include "data/Schema.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QHash>
#include <QSqlQuery>
#include <QStringList>

// Every order row of the station folders against the stock movements booked
// for them (counted by product name; each row's name is its own): a booked
// row has exactly one movement, an unbooked row none, and no movement is
// left without its row.
struct BookingLedger
{
    int rows = 0;
    int booked = 0;
    QStringList faults;

    static BookingLedger check(QHash<QString, int> movements, const QStringList &folders)
    {
        BookingLedger ledger;
        for (const QString &folder : folders) {
            // Opened as a restarted station would: a half-done commit is rolled back here.
            StationDatabase tavran(QDir(folder).filePath(QStringLiteral("Tavran.db")),
                                   Schema::File::Tavran);
            QSqlQuery rows(tavran.database());
            if (!rows.exec(QStringLiteral("SELECT \"Ürün\", Tamam FROM Tart")))
                return {0, 0, {QStringLiteral("order rows unreadable")}};
            while (rows.next()) {
                const QString product = rows.value(0).toString();
                const bool booked = rows.value(1).toInt() == 0;
                ++ledger.rows;
                ledger.booked += booked;
                if (movements.take(product) != (booked ? 1 : 0))
                    ledger.faults << product + (booked ? QStringLiteral(" booked, movements ≠ 1")
                                                       : QStringLiteral(" not booked, has a movement"));
            }
        }
        for (auto it = movements.cbegin(); it != movements.cend(); ++it)
            ledger.faults << it.key() + QStringLiteral(" has a movement but no order row");
        return ledger;
    }
};
