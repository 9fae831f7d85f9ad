#include "data/RecordSource.h"

#include "data/SqlDialect.h"

using namespace Qt::StringLiterals;


RecordSource RecordSource::wholeTable(const QString &table)
{
    // The table name is one of the station's own, never operator text.
    return {table, table, u"SELECT rowid, * FROM \""_s + table + u"\" ORDER BY rowid"_s, {}, {}};
}

namespace RecordSources {

RecordSource customersOfGroup(const QString &group, const SqlDialect &dialect)
{
    return {u"Cari"_s,
            u"Select * From Cari Where Gurup='"_s + group + u"' Order By Unvan ASC"_s,
            dialect.customersOfGroupSql(),
            {group, group},
            u"Unvan"_s};
}

RecordSource products(const SqlDialect &dialect)
{
    return {u"Stok"_s, u"Select * From Stok Order By Ürün Asc"_s, dialect.productsSql(), {},
            u"Ürün"_s};
}

RecordSource movementsOf(int alsatMode, const SqlDialect &dialect)
{
    return {u"StokHaraket"_s,
            u"Select * From StokHaraket Where Alsat="_s + QString::number(alsatMode)
                + u" Order By Tarih ASC"_s,
            dialect.movementsSql(),
            {alsatMode},
            {}};
}

RecordSource orderRows()
{
    return RecordSource::wholeTable(u"Tart"_s);
}

RecordSource orderRowsTavran()
{
    return RecordSource::wholeTable(u"Tavran"_s);
}

RecordSource scratchSums()
{
    return RecordSource::wholeTable(u"StokTmp"_s);
}

} // namespace RecordSources

namespace RecordSources {

RecordSource customersOfGroup(const QString &group)
{
    return customersOfGroup(group, SqlDialect::sqlite());
}

RecordSource products()
{
    return products(SqlDialect::sqlite());
}

RecordSource movementsOf(int alsatMode)
{
    return movementsOf(alsatMode, SqlDialect::sqlite());
}

} // namespace RecordSources
