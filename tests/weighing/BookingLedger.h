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
// left without its row. A row's package (named as the row, when there is
// one) is tied to the slip's customer exactly when the row is booked.
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
            StationDatabase stok(QDir(folder).filePath(QStringLiteral("Stok.db")), Schema::File::Stok);
            QHash<QString, QVariant> tiedTo;
            QSqlQuery packages(stok.database());
            if (!packages.exec(QStringLiteral("SELECT Anahtar, Cari FROM Paket")))
                return {0, 0, {QStringLiteral("packages unreadable")}};
            while (packages.next())
                tiedTo.insert(packages.value(0).toString(), packages.value(1));
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
                const auto package = tiedTo.constFind(product);
                if (package != tiedTo.cend() && package->isNull() == booked)
                    ledger.faults << product + QStringLiteral(" package tie ≠ booking");
                if (package != tiedTo.cend() && booked && package->toString() != QStringLiteral("Kasap"))
                    ledger.faults << product + QStringLiteral(" package tied to another customer");
            }
        }
        for (auto it = movements.cbegin(); it != movements.cend(); ++it)
            ledger.faults << it.key() + QStringLiteral(" has a movement but no order row");
        return ledger;
    }
};
