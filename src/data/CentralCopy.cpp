#include "data/CentralCopy.h"

#include "data/CentralDatabase.h"
#include "data/RowCopy.h"
#include "data/Schema.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace CentralCopy {
namespace {

constexpr char16_t RowCountsSql[] =
    u"SELECT (SELECT count(*) FROM \"Cari\"), (SELECT count(*) FROM \"Stok\"), "
    u"(SELECT count(*) FROM \"StokHaraket\")";

// Read in the station folder's order, so equal names keep their order.
constexpr char16_t ReadCustomersSql[] =
    u"SELECT Kod, Unvan, Gurup, Adres, Telefon, VergiNo FROM Cari ORDER BY rowid";
constexpr char16_t ReadProductsSql[] = u"SELECT Barkod, \"Ürün\", Birim FROM Stok ORDER BY rowid";
constexpr char16_t ReadMovementsSql[] =
    u"SELECT Tarih, \"Ürün\", Miktar, Alsat FROM StokHaraket ORDER BY rowid";

constexpr char16_t ReadFailure[] = u"istasyon dosyası okunamadı";
constexpr char16_t WriteFailure[] = u"sunucuya yazılamadı";

constexpr char16_t WriteCustomerSql[] =
    u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\", \"Adres\", \"Telefon\", \"VergiNo\") "
    u"VALUES (CAST(? AS text), CAST(? AS text), CAST(? AS text), CAST(? AS text), "
    u"CAST(? AS text), CAST(? AS text))";
constexpr char16_t WriteProductSql[] =
    u"INSERT INTO \"Stok\"(\"Barkod\", \"Ürün\", \"Birim\") "
    u"VALUES (CAST(? AS text), CAST(? AS text), CAST(? AS text))";
constexpr char16_t WriteMovementSql[] =
    u"INSERT INTO \"StokHaraket\"(\"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\") "
    u"VALUES (CAST(? AS text), CAST(? AS text), CAST(? AS double precision), CAST(? AS integer))";

} // namespace

Result copy(CentralDatabase &central, const QString &folder, bool append)
{
    Result result;
    const QDir dir(folder);
    for (Schema::File file : {Schema::File::Cari, Schema::File::Stok}) {
        if (!QFileInfo::exists(dir.filePath(Schema::fileName(file)))) {
            result.failure = u"%1 klasörde yok: %2"_s.arg(Schema::fileName(file), folder);
            return result;
        }
    }
    const StationDatabase cari(dir.filePath(Schema::fileName(Schema::File::Cari)), Schema::File::Cari);
    const StationDatabase stok(dir.filePath(Schema::fileName(Schema::File::Stok)), Schema::File::Stok);
    if (!cari.isOpen() || !stok.isOpen()) {
        result.failure = u"istasyon klasörünün dosyaları açılamadı: "_s + folder;
        return result;
    }
    if (!central.initSchema()) {
        result.failure = central.lastError();
        return result;
    }
    QSqlDatabase server = central.database();
    if (!server.transaction()) {
        result.failure = u"sunucuda işlem başlatılamadı: "_s + errorText(server.lastError());
        return result;
    }
    QSqlQuery count(server);
    if (!count.exec(QString::fromUtf16(RowCountsSql)) || !count.next()) {
        result.failure = u"sunucu okunamadı: "_s + errorText(count.lastError());
    } else if (!append
               && count.value(0).toLongLong() + count.value(1).toLongLong()
                          + count.value(2).toLongLong()
                      > 0) {
        result.failure = u"sunucuda zaten %1 cari, %2 ürün, %3 stok hareketi var; "
                         u"eklemek için --append"_s
                             .arg(count.value(0).toLongLong())
                             .arg(count.value(1).toLongLong())
                             .arg(count.value(2).toLongLong());
    }
    count.finish();
    const struct
    {
        const StationDatabase &from;
        const char16_t *readSql;
        const char16_t *writeSql;
        qint64 &copied;
    } tables[] = {
        {cari, ReadCustomersSql, WriteCustomerSql, result.customers},
        {stok, ReadProductsSql, WriteProductSql, result.products},
        {stok, ReadMovementsSql, WriteMovementSql, result.movements},
    };
    for (const auto &table : tables) {
        if (result.ok())
            table.copied = RowCopy::copyRows(
                {table.from.database(), QString::fromUtf16(table.readSql),
                 QString::fromUtf16(ReadFailure)},
                {server, QString::fromUtf16(table.writeSql), QString::fromUtf16(WriteFailure)},
                result.failure);
    }
    if (result.ok() && server.commit())
        return result;
    if (result.ok())
        result.failure = u"sunucuya yazılamadı: "_s + errorText(server.lastError());
    server.rollback();
    result.customers = result.products = result.movements = 0;
    return result;
}

} // namespace CentralCopy
