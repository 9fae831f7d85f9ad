#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <optional>

// The booked stock movements of a period, oldest first, for accounting.
namespace StockMovements {

struct Movement
{
    QString tarih; // "YYYY-MM-DD" as stored
    QString product;
    double kilo = 0;
    int alsat = 0; // 0 sale, 1 purchase
};

// `alsat`: only that direction; all without a value. No value when the
// movements cannot be read.
std::optional<QList<Movement>> read(const QSqlDatabase &stok, QDate from, QDate to,
                                    std::optional<int> alsat);

// "SATIŞ" / "ALIŞ".
QString directionText(int alsat);

} // namespace StockMovements
