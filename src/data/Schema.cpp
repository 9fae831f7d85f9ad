#include "data/Schema.h"

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcSchema, "tavran.data.schema")

namespace {

constexpr int SchemaVersion = 1;

// Accounts: Unvan stays at position 1, the list and searches read it there.
constexpr char16_t CariSql[] =
    u"CREATE TABLE IF NOT EXISTS Cari(Kod TEXT, Unvan TEXT, Gurup TEXT, Adres TEXT, "
    u"Telefon TEXT, VergiNo TEXT)";
// The group query reads the accounts of one group in title order straight
// off this index.
constexpr char16_t CariIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS CariGurupUnvan ON Cari(Gurup, Unvan COLLATE TURKISH)";

constexpr char16_t StokSql[] =
    u"CREATE TABLE IF NOT EXISTS Stok(Barkod TEXT, \"Ürün\" TEXT, Birim TEXT)";
constexpr char16_t StokIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS StokUrun ON Stok(\"Ürün\" COLLATE TURKISH)";
constexpr char16_t StokHaraketSql[] =
    u"CREATE TABLE IF NOT EXISTS StokHaraket(Tarih TEXT, \"Ürün\" TEXT, Miktar REAL, "
    u"Alsat INTEGER)";
constexpr char16_t StokHaraketDateIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS StokHaraketAlsatTarih ON StokHaraket(Alsat, Tarih)";
// Report sums: one product, one direction, a date range.
constexpr char16_t StokHaraketProductIndexSql[] =
    u"CREATE INDEX IF NOT EXISTS StokHaraketAlsatUrunTarih "
    u"ON StokHaraket(Alsat, \"Ürün\" COLLATE TURKISH, Tarih)";
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
constexpr char16_t SetUserVersionSql[] = u"PRAGMA user_version = 1";

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
        statements = {CariSql, CariIndexSql};
        break;
    case File::Stok:
        statements = {StokSql, StokIndexSql, StokHaraketSql, StokHaraketDateIndexSql,
                      StokHaraketProductIndexSql, StokTmpSql};
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
