#include "data/RecordSource.h"

using namespace Qt::StringLiterals;

namespace {

// In rowid order; the recordset sorts them alphabetically, so equal titles
// keep one stable order. The group matches without regard to case, the
// Turkish way ("MÜŞTERİ", "müşteri"); the plain comparison spares most rows
// the fold.
constexpr char16_t CustomersOfGroupSql[] =
    u"SELECT rowid, * FROM Cari WHERE Gurup = ? OR turkish_fold(Gurup) = turkish_fold(?) "
    u"ORDER BY rowid";
constexpr char16_t ProductsSql[] = u"SELECT rowid, * FROM Stok ORDER BY rowid";
constexpr char16_t MovementsSql[] =
    u"SELECT rowid, * FROM StokHaraket WHERE Alsat = ? ORDER BY Tarih ASC, rowid";

} // namespace

RecordSource RecordSource::wholeTable(const QString &table)
{
    // The table name is one of the station's own, never operator text.
    return {table, table, u"SELECT rowid, * FROM \""_s + table + u"\" ORDER BY rowid"_s, {}, {}};
}

namespace RecordSources {

RecordSource customersOfGroup(const QString &group)
{
    return {u"Cari"_s,
            u"Select * From Cari Where Gurup='"_s + group + u"' Order By Unvan ASC"_s,
            QString::fromUtf16(CustomersOfGroupSql),
            {group, group},
            u"Unvan"_s};
}

RecordSource products()
{
    return {u"Stok"_s, u"Select * From Stok Order By Ürün Asc"_s, QString::fromUtf16(ProductsSql), {},
            u"Ürün"_s};
}

RecordSource movementsOf(int alsatMode)
{
    return {u"StokHaraket"_s,
            u"Select * From StokHaraket Where Alsat="_s + QString::number(alsatMode)
                + u" Order By Tarih ASC"_s,
            QString::fromUtf16(MovementsSql),
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
