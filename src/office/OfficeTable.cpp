#include "office/OfficeTable.h"

#include "data/SqlDialect.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

std::optional<OfficeTable> OfficeTable::named(const QString &word)
{
    if (word == u"products"_s)
        return OfficeTable{Schema::File::Stok, u"Stok"_s, u"Barkod"_s, u"Ürün"_s};
    if (word == u"customers"_s)
        return OfficeTable{Schema::File::Cari, u"Cari"_s, u"Unvan"_s, u"Unvan"_s};
    return std::nullopt;
}

QStringList OfficeTable::columns(const QSqlDatabase &db) const
{
    QSqlQuery query(db);
    QStringList names;
    if (!query.prepare(SqlDialect::of(db).columnNamesSql()))
        return names;
    query.addBindValue(table);
    if (!query.exec())
        return names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QStringList OfficeTable::extraColumns() const
{
    return isProducts() ? QStringList{u"GTIN"_s, u"Dara"_s} : QStringList();
}
