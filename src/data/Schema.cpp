#include "data/Schema.h"

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcSchema, "tavran.data.schema")

namespace {

// 2: no index names a collation only the station knows; version 1 files are
// moved to 2 when opened. Turkish order and matching live in the statements
// and the program, so any SQLite program can read and write the files.
// 3: the product extras and the package records.
constexpr int SchemaVersion = 3;

// Accounts: Unvan stays at position 1, the list and searches read it there.
constexpr char16_t CariSql[] =
    u"CREATE TABLE IF NOT EXISTS Cari(Kod TEXT, Unvan TEXT, Gurup TEXT, Adres TEXT, "
    u"Telefon TEXT, VergiNo TEXT)";

constexpr char16_t StokSql[] =
    u"CREATE TABLE IF NOT EXISTS Stok(Barkod TEXT, \"Ürün\" TEXT, Birim TEXT)";
constexpr char16_t StokIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS StokUrun ON Stok(\"Ürün\")";
constexpr char16_t StokHaraketSql[] =
    u"CREATE TABLE IF NOT EXISTS StokHaraket(Tarih TEXT, \"Ürün\" TEXT, Miktar REAL, "
    u"Alsat INTEGER)";
// One direction in date order (the movements control) and the report sums of
// a date range, read from the index alone.
constexpr char16_t StokHaraketIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS StokHaraketAlsatTarihUrun "
    u"ON StokHaraket(Alsat, Tarih, \"Ürün\", Miktar)";

// Version 1 indexes; the two naming TURKISH can only be dropped by a
// connection that has it registered, which every station connection has.
constexpr char16_t DropCariIndexSql[] = u"DROP INDEX IF EXISTS CariGurupUnvan";
constexpr char16_t DropStokIndexSql[] = u"DROP INDEX IF EXISTS StokUrun";
constexpr char16_t DropStokHaraketDateIndexSql[] = u"DROP INDEX IF EXISTS StokHaraketAlsatTarih";
constexpr char16_t DropStokHaraketProductIndexSql[] =
    u"DROP INDEX IF EXISTS StokHaraketAlsatUrunTarih";
// What a product carries beyond Stok's three columns: its GTIN-14, its preset
// tare in kilograms and the lot (and animal reference) last weighed of it.
constexpr char16_t StokEkSql[] =
    u"CREATE TABLE IF NOT EXISTS StokEk(\"Ürün\" TEXT PRIMARY KEY, GTIN TEXT, "
    u"Dara REAL NOT NULL DEFAULT 0, Parti TEXT, Hayvan TEXT)";
// One row per package added; Anahtar is the package's key on the central
// server too. Cari, Alsat and Tarih stay empty until the slip books it.
constexpr char16_t PaketSql[] =
    u"CREATE TABLE IF NOT EXISTS Paket(Sira INTEGER PRIMARY KEY, Anahtar TEXT NOT NULL UNIQUE, "
    u"Zaman TEXT NOT NULL, Istasyon TEXT, Personel TEXT, \"Ürün\" TEXT, Barkod TEXT, "
    u"Kilo REAL, Dara REAL NOT NULL DEFAULT 0, Parti TEXT, Hayvan TEXT, TartSira INTEGER, "
    u"EtiketBarkod TEXT, Cari TEXT, Alsat INTEGER, Tarih TEXT)";
constexpr char16_t PaketPartiIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS PaketParti ON Paket(Parti, Sira)";
constexpr char16_t PaketCariIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS PaketCariTarih ON Paket(Cari, Tarih)";
constexpr char16_t PaketEtiketIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS PaketEtiket ON Paket(EtiketBarkod)";
// The plant page's sums per customer and per station, read from the index alone.
constexpr char16_t PaketTarihIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS PaketTarihAlsat ON Paket(Tarih, Alsat, Cari, Kilo)";
constexpr char16_t PaketZamanIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS PaketZaman ON Paket(Zaman, Istasyon, Kilo)";
constexpr char16_t StokTmpSql[] =
    u"CREATE TABLE IF NOT EXISTS StokTmp(\"Ürün\" TEXT, Kilo REAL)";

// Kilo defaults to 0 and Tamam to yes: a finished weighing adds its total to
// the new row's default and leaves Tamam alone.
constexpr char16_t TartSql[] =
    u"CREATE TABLE IF NOT EXISTS Tart(\"Ürün\" TEXT, Kilo REAL NOT NULL DEFAULT 0, "
    u"Barkod TEXT, Tamam INTEGER NOT NULL DEFAULT 1)";
constexpr char16_t TavranSql[] =
    u"CREATE TABLE IF NOT EXISTS Tavran(Anahtar TEXT, Deger TEXT)";

constexpr char16_t UserVersionSql[] = u"PRAGMA user_version";
constexpr char16_t SetUserVersionSql[] = u"PRAGMA user_version = 3";

bool run(QSqlQuery &query, QStringView sql)
{
    if (query.exec(sql.toString()))
        return true;
    qCWarning(lcSchema) << "schema statement failed:" << sql << query.lastError().text();
    return false;
}

} // namespace

namespace Schema {

QString fileName(File file)
{
    switch (file) {
    case File::Cari: return u"Cari.db"_s;
    case File::Stok: return u"Stok.db"_s;
    case File::Tavran: return u"Tavran.db"_s;
    }
    return {};
}

bool create(const QSqlDatabase &db, File file)
{
    QSqlQuery query(db);
    if (!run(query, UserVersionSql) || !query.next())
        return false;
    if (query.value(0).toInt() >= SchemaVersion)
        return true;

    QSqlDatabase database = db;
    if (!database.transaction()) {
        qCWarning(lcSchema) << "cannot begin schema transaction:" << database.lastError().text();
        return false;
    }
    QList<QStringView> statements;
    switch (file) {
    case File::Cari:
        statements = {CariSql, DropCariIndexSql};
        break;
    case File::Stok:
        statements = {StokSql, DropStokIndexSql, StokIndexSql, StokHaraketSql,
                      DropStokHaraketDateIndexSql, DropStokHaraketProductIndexSql,
                      StokHaraketIndexSql, StokTmpSql, StokEkSql, PaketSql,
                      PaketPartiIndexSql, PaketCariIndexSql, PaketEtiketIndexSql,
                      PaketTarihIndexSql, PaketZamanIndexSql};
        break;
    case File::Tavran:
        statements = {TartSql, TavranSql};
        break;
    }
    statements << QStringView(SetUserVersionSql);
    for (QStringView sql : statements) {
        if (!run(query, sql)) {
            database.rollback();
            return false;
        }
    }
    if (!database.commit()) {
        qCWarning(lcSchema) << "cannot commit schema:" << database.lastError().text();
        database.rollback();
        return false;
    }
    return true;
}

} // namespace Schema
