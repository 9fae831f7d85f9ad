#include "data/CentralCopy.h"

#include "data/CentralDatabase.h"
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

// Copies every row `readSql` gives into `writeSql`; the rows copied, or -1
// with `failure` set.
qint64 copyRows(const QSqlDatabase &from, const QString &readSql, const QSqlDatabase &to,
                const QString &writeSql, QString &failure)
{
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(readSql)) {
        failure = u"istasyon dosyası okunamadı: "_s + errorText(read.lastError());
        return -1;
    }
    QSqlQuery write(to);
    if (!write.prepare(writeSql)) {
        failure = u"sunucuya yazılamadı: "_s + errorText(write.lastError());
        return -1;
    }
    qint64 count = 0;
    while (read.next()) {
        const int columns = read.record().count();
        for (int column = 0; column < columns; ++column)
            write.bindValue(column, read.value(column));
        if (!write.exec()) {
            failure = u"sunucuya yazılamadı: "_s + errorText(write.lastError());
            return -1;
        }
        ++count;
    }
    if (read.lastError().isValid()) {
        failure = u"istasyon dosyası okunamadı: "_s + errorText(read.lastError());
        return -1;
    }
    return count;
}

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
    if (result.ok())
        result.customers = copyRows(cari.database(), QString::fromUtf16(ReadCustomersSql), server,
                                    QString::fromUtf16(WriteCustomerSql), result.failure);
    if (result.ok())
        result.products = copyRows(stok.database(), QString::fromUtf16(ReadProductsSql), server,
                                   QString::fromUtf16(WriteProductSql), result.failure);
    if (result.ok())
        result.movements = copyRows(stok.database(), QString::fromUtf16(ReadMovementsSql), server,
                                    QString::fromUtf16(WriteMovementSql), result.failure);
    if (result.ok() && server.commit())
        return result;
    if (result.ok())
        result.failure = u"sunucuya yazılamadı: "_s + errorText(server.lastError());
    server.rollback();
    result.customers = result.products = result.movements = 0;
    return result;
}

} // namespace CentralCopy
