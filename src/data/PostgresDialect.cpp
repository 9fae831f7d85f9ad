#include "data/PostgresDialect.h"

using namespace Qt::StringLiterals;

namespace {

// Names are quoted: the screens read the columns by their mixed-case names.
// Equal titles keep the order they were added in (Sira).
constexpr char16_t CustomersOfGroupSql[] =
    u"SELECT \"Sira\", \"Kod\", \"Unvan\", \"Gurup\", \"Adres\", \"Telefon\", \"VergiNo\" "
    u"FROM \"Cari\" WHERE \"Gurup\" = CAST(? AS text) "
    u"OR lower(\"Gurup\" COLLATE \"tr-x-icu\") = lower(CAST(? AS text) COLLATE \"tr-x-icu\") "
    u"ORDER BY \"Unvan\" COLLATE \"tr-x-icu\", \"Sira\"";
constexpr char16_t ProductsSql[] =
    u"SELECT \"Sira\", \"Barkod\", \"Ürün\", \"Birim\" FROM \"Stok\" "
    u"ORDER BY \"Ürün\" COLLATE \"tr-x-icu\", \"Sira\"";
constexpr char16_t MovementsSql[] =
    u"SELECT \"Sira\", \"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\" FROM \"StokHaraket\" "
    u"WHERE \"Alsat\" = CAST(? AS integer) ORDER BY \"Tarih\", \"Sira\"";
constexpr char16_t MovementSumsSql[] =
    u"SELECT \"Ürün\", SUM(\"Miktar\") FROM \"StokHaraket\" "
    u"WHERE \"Alsat\" = CAST(? AS integer) AND \"Tarih\" >= CAST(? AS text) "
    u"AND \"Tarih\" <= CAST(? AS text) GROUP BY \"Ürün\"";
constexpr char16_t ProductNamesSql[] =
    u"SELECT \"Ürün\" FROM \"Stok\" ORDER BY \"Ürün\" COLLATE \"tr-x-icu\", \"Sira\"";
constexpr char16_t BookMovementSql[] =
    u"INSERT INTO \"StokHaraket\"(\"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\", \"Anahtar\") "
    u"VALUES (CAST(? AS text), CAST(? AS text), CAST(? AS double precision), "
    u"CAST(? AS integer), CAST(? AS text)) ON CONFLICT (\"Anahtar\") DO NOTHING";

// Dates stay ISO text "YYYY-MM-DD" as in the station folder, so ranges
// compare the same way on both engines. Rows copied from a station folder
// carry no key (NULL never clashes).
constexpr const char16_t *SharedSchema[] = {
    u"CREATE TABLE IF NOT EXISTS \"Cari\"(\"Kod\" text, \"Unvan\" text, \"Gurup\" text, "
    u"\"Adres\" text, \"Telefon\" text, \"VergiNo\" text, "
    u"\"Sira\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY)",
    u"CREATE INDEX IF NOT EXISTS \"CariGurupUnvan\" "
    u"ON \"Cari\"(\"Gurup\", \"Unvan\" COLLATE \"tr-x-icu\")",
    u"CREATE TABLE IF NOT EXISTS \"Stok\"(\"Barkod\" text, \"Ürün\" text, \"Birim\" text, "
    u"\"Sira\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY)",
    u"CREATE INDEX IF NOT EXISTS \"StokUrun\" ON \"Stok\"(\"Ürün\" COLLATE \"tr-x-icu\")",
    u"CREATE TABLE IF NOT EXISTS \"StokHaraket\"(\"Tarih\" text, \"Ürün\" text, "
    u"\"Miktar\" double precision, \"Alsat\" integer, \"Anahtar\" text, "
    u"\"Sira\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY)",
    u"CREATE UNIQUE INDEX IF NOT EXISTS \"StokHaraketAnahtar\" ON \"StokHaraket\"(\"Anahtar\")",
    u"CREATE INDEX IF NOT EXISTS \"StokHaraketAlsatTarihUrun\" "
    u"ON \"StokHaraket\"(\"Alsat\", \"Tarih\", \"Ürün\") INCLUDE (\"Miktar\")",
    u"CREATE TABLE IF NOT EXISTS \"StokEk\"(\"Ürün\" text PRIMARY KEY, \"GTIN\" text, "
    u"\"Dara\" double precision NOT NULL DEFAULT 0, \"Parti\" text, \"Hayvan\" text)",
    u"CREATE TABLE IF NOT EXISTS \"Paket\"(\"Sira\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "
    u"\"Anahtar\" text NOT NULL UNIQUE, \"Zaman\" text NOT NULL, \"Istasyon\" text, "
    u"\"Personel\" text, \"Ürün\" text, \"Barkod\" text, \"Kilo\" double precision, "
    u"\"Dara\" double precision NOT NULL DEFAULT 0, \"Parti\" text, \"Hayvan\" text, "
    u"\"TartSira\" bigint, \"EtiketBarkod\" text, \"Cari\" text, \"Alsat\" integer, \"Tarih\" text)",
    u"CREATE INDEX IF NOT EXISTS \"PaketParti\" ON \"Paket\"(\"Parti\", \"Sira\")",
    u"CREATE INDEX IF NOT EXISTS \"PaketCariTarih\" ON \"Paket\"(\"Cari\", \"Tarih\")",
    u"CREATE INDEX IF NOT EXISTS \"PaketEtiket\" ON \"Paket\"(\"EtiketBarkod\")",
    u"CREATE INDEX IF NOT EXISTS \"PaketTarihAlsat\" "
    u"ON \"Paket\"(\"Tarih\", \"Alsat\", \"Cari\") INCLUDE (\"Kilo\")",
    u"CREATE INDEX IF NOT EXISTS \"PaketZaman\" ON \"Paket\"(\"Zaman\", \"Istasyon\") INCLUDE (\"Kilo\")",
};

// The shared tables keep no defaults of their own.
constexpr char16_t TableDefaultsSql[] =
    u"SELECT CAST(column_name AS text), CAST(NULL AS text) FROM information_schema.columns "
    u"WHERE table_name = CAST(? AS text)";
constexpr char16_t ColumnNamesSql[] =
    u"SELECT CAST(column_name AS text) FROM information_schema.columns "
    u"WHERE table_name = CAST(? AS text) AND column_name NOT IN ('Sira', 'Anahtar') "
    u"ORDER BY ordinal_position";
constexpr char16_t RowKey[] = u"\"Sira\"";
constexpr char16_t MovementsInRangeSql[] =
    u"SELECT \"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\" FROM \"StokHaraket\" "
    u"WHERE \"Tarih\" >= CAST(? AS text) AND \"Tarih\" <= CAST(? AS text) ORDER BY \"Tarih\", \"Sira\"";
constexpr char16_t MovementsOfDirectionInRangeSql[] =
    u"SELECT \"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\" FROM \"StokHaraket\" "
    u"WHERE \"Alsat\" = CAST(? AS integer) AND \"Tarih\" >= CAST(? AS text) "
    u"AND \"Tarih\" <= CAST(? AS text) ORDER BY \"Tarih\", \"Sira\"";

} // namespace

QString PostgresDialect::customersOfGroupSql() const { return QString::fromUtf16(CustomersOfGroupSql); }
QString PostgresDialect::productsSql() const { return QString::fromUtf16(ProductsSql); }
QString PostgresDialect::movementsSql() const { return QString::fromUtf16(MovementsSql); }
QString PostgresDialect::movementSumsSql() const { return QString::fromUtf16(MovementSumsSql); }
QString PostgresDialect::productNamesSql() const { return QString::fromUtf16(ProductNamesSql); }
QString PostgresDialect::tableDefaultsSql() const { return QString::fromUtf16(TableDefaultsSql); }
QString PostgresDialect::columnNamesSql() const { return QString::fromUtf16(ColumnNamesSql); }
QString PostgresDialect::rowKey() const { return QString::fromUtf16(RowKey); }
QString PostgresDialect::movementsInRangeSql(bool oneDirection) const
{
    return QString::fromUtf16(oneDirection ? MovementsOfDirectionInRangeSql : MovementsInRangeSql);
}
QString PostgresDialect::bookMovementSql() const { return QString::fromUtf16(BookMovementSql); }

QStringList PostgresDialect::sharedSchema() const
{
    QStringList statements;
    for (const char16_t *sql : SharedSchema)
        statements << QString::fromUtf16(sql);
    return statements;
}

namespace {

constexpr char16_t PackageColumns[] =
    u"SELECT p.\"Sira\", p.\"Zaman\", p.\"Istasyon\", p.\"Ürün\", p.\"Kilo\", p.\"Parti\", "
    u"p.\"Hayvan\", p.\"EtiketBarkod\", p.\"Cari\", p.\"Tarih\", p.\"Alsat\", p.\"Barkod\", "
    u"e.\"GTIN\" FROM \"Paket\" p LEFT JOIN \"StokEk\" e ON e.\"Ürün\" = p.\"Ürün\" ";
constexpr char16_t LotCondition[] =
    u"WHERE p.\"Parti\" = CAST(? AS text) ORDER BY p.\"Sira\"";
constexpr char16_t LabelCondition[] =
    u"WHERE p.\"EtiketBarkod\" = CAST(? AS text) ORDER BY p.\"Sira\"";
constexpr char16_t LotsDeliveredSql[] =
    u"SELECT \"Tarih\", \"Alsat\", \"Ürün\", \"Parti\", COUNT(*), SUM(\"Kilo\") FROM \"Paket\" "
    u"WHERE \"Cari\" = CAST(? AS text) AND \"Tarih\" >= CAST(? AS text) "
    u"AND \"Tarih\" <= CAST(? AS text) GROUP BY \"Tarih\", \"Alsat\", \"Ürün\", \"Parti\"";
constexpr char16_t CustomerTitlesSql[] =
    u"SELECT DISTINCT \"Unvan\" FROM \"Cari\" WHERE \"Unvan\" = CAST(? AS text) "
    u"OR lower(\"Unvan\" COLLATE \"tr-x-icu\") = lower(CAST(? AS text) COLLATE \"tr-x-icu\")";

} // namespace

QString PostgresDialect::packagesOfLotSql() const
{
    return QString::fromUtf16(PackageColumns) + QString::fromUtf16(LotCondition);
}
QString PostgresDialect::packagesOfLabelSql() const
{
    return QString::fromUtf16(PackageColumns) + QString::fromUtf16(LabelCondition);
}
QString PostgresDialect::lotsDeliveredSql() const { return QString::fromUtf16(LotsDeliveredSql); }
QString PostgresDialect::customerTitlesSql() const { return QString::fromUtf16(CustomerTitlesSql); }
