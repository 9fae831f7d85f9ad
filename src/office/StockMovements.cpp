#include "office/StockMovements.h"

#include "data/SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace StockMovements {

std::optional<QList<Movement>> read(const QSqlDatabase &stok, QDate from, QDate to,
                                    std::optional<int> alsat)
{
    QSqlQuery query(stok);
    query.setForwardOnly(true);
    if (!query.prepare(SqlDialect::of(stok).movementsInRangeSql(alsat.has_value())))
        return std::nullopt;
    if (alsat)
        query.addBindValue(*alsat);
    query.addBindValue(from.toString(Qt::ISODate));
    query.addBindValue(to.toString(Qt::ISODate));
    if (!query.exec())
        return std::nullopt;
    QList<Movement> movements;
    while (query.next()) {
        movements.append({query.value(0).toString(), query.value(1).toString(),
                          query.value(2).toDouble(), query.value(3).toInt()});
    }
    if (query.lastError().isValid())
        return std::nullopt;
    return movements;
}

QString directionText(int alsat)
{
    return alsat == 0 ? u"SATIŞ"_s : u"ALIŞ"_s;
}

} // namespace StockMovements
