#include "data/SqliteDialect.h"

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
// The sums per stored name over the date range, read off the
// (Alsat, Tarih, Ürün, Miktar) index alone; the program then matches them to
// the product list by Turkish fold, as the searches compare names.
constexpr char16_t MovementSumsSql[] =
    u"SELECT \"Ürün\", SUM(Miktar) FROM StokHaraket "
    u"WHERE Alsat = ? AND Tarih >= ? AND Tarih <= ? GROUP BY \"Ürün\"";
constexpr char16_t ProductNamesSql[] = u"SELECT \"Ürün\" FROM Stok ORDER BY rowid";
// A station folder keeps no keys: its one transaction over both files books
// each row once already.
constexpr char16_t BookMovementSql[] =
    u"INSERT INTO main.StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)";

constexpr char16_t TableDefaultsSql[] =
    u"SELECT name, dflt_value FROM pragma_table_info(?)";
constexpr char16_t ColumnNamesSql[] =
    u"SELECT name FROM pragma_table_info(?) ORDER BY cid";
constexpr char16_t RowKey[] = u"rowid";
constexpr char16_t MovementsInRangeSql[] =
    u"SELECT Tarih, \"Ürün\", Miktar, Alsat FROM StokHaraket "
    u"WHERE Tarih >= ? AND Tarih <= ? ORDER BY Tarih, rowid";
constexpr char16_t MovementsOfDirectionInRangeSql[] =
    u"SELECT Tarih, \"Ürün\", Miktar, Alsat FROM StokHaraket "
    u"WHERE Alsat = ? AND Tarih >= ? AND Tarih <= ? ORDER BY Tarih, rowid";

} // namespace

QString SqliteDialect::customersOfGroupSql() const { return QString::fromUtf16(CustomersOfGroupSql); }
QString SqliteDialect::productsSql() const { return QString::fromUtf16(ProductsSql); }
QString SqliteDialect::movementsSql() const { return QString::fromUtf16(MovementsSql); }
QString SqliteDialect::movementSumsSql() const { return QString::fromUtf16(MovementSumsSql); }
QString SqliteDialect::productNamesSql() const { return QString::fromUtf16(ProductNamesSql); }
QString SqliteDialect::tableDefaultsSql() const { return QString::fromUtf16(TableDefaultsSql); }
QString SqliteDialect::columnNamesSql() const { return QString::fromUtf16(ColumnNamesSql); }
QString SqliteDialect::rowKey() const { return QString::fromUtf16(RowKey); }
QString SqliteDialect::movementsInRangeSql(bool oneDirection) const
{
    return QString::fromUtf16(oneDirection ? MovementsOfDirectionInRangeSql : MovementsInRangeSql);
}
QString SqliteDialect::bookMovementSql() const { return QString::fromUtf16(BookMovementSql); }

QStringList SqliteDialect::sharedSchema() const
{
    // The station folder's files are set up by Schema when opened.
    return {};
}

namespace {

// Each reads one of Paket's indexes: (Parti, Sira), (EtiketBarkod),
// (Cari, Tarih); StokEk is found by its key.
constexpr char16_t PackageColumns[] =
    u"SELECT p.Sira, p.Zaman, p.Istasyon, p.\"Ürün\", p.Kilo, p.Parti, p.Hayvan, p.EtiketBarkod, "
    u"p.Cari, p.Tarih, p.Alsat, p.Barkod, e.GTIN FROM Paket p "
    u"LEFT JOIN StokEk e ON e.\"Ürün\" = p.\"Ürün\" ";
constexpr char16_t LotCondition[] = u"WHERE p.Parti = ? ORDER BY p.Sira";
constexpr char16_t LabelCondition[] = u"WHERE p.EtiketBarkod = ? ORDER BY p.Sira";
constexpr char16_t LotsDeliveredSql[] =
    u"SELECT Tarih, Alsat, \"Ürün\", Parti, COUNT(*), SUM(Kilo) FROM Paket "
    u"WHERE Cari = ? AND Tarih >= ? AND Tarih <= ? GROUP BY Tarih, Alsat, \"Ürün\", Parti";
constexpr char16_t CustomerTitlesSql[] =
    u"SELECT DISTINCT Unvan FROM Cari WHERE Unvan = ? OR turkish_fold(Unvan) = turkish_fold(?)";

} // namespace

QString SqliteDialect::packagesOfLotSql() const
{
    return QString::fromUtf16(PackageColumns) + QString::fromUtf16(LotCondition);
}
QString SqliteDialect::packagesOfLabelSql() const
{
    return QString::fromUtf16(PackageColumns) + QString::fromUtf16(LabelCondition);
}
QString SqliteDialect::lotsDeliveredSql() const { return QString::fromUtf16(LotsDeliveredSql); }
QString SqliteDialect::customerTitlesSql() const { return QString::fromUtf16(CustomerTitlesSql); }
