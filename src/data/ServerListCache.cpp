#include "data/ServerListCache.h"

#include "data/CentralDatabase.h"
#include "data/RowCopy.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace ServerListCache {
namespace {

constexpr char16_t ReadCustomersSql[] =
    u"SELECT \"Kod\", \"Unvan\", \"Gurup\", \"Adres\", \"Telefon\", \"VergiNo\" FROM \"Cari\" "
    u"ORDER BY \"Sira\"";
constexpr char16_t ReadProductsSql[] =
    u"SELECT \"Barkod\", \"Ürün\", \"Birim\" FROM \"Stok\" ORDER BY \"Sira\"";
constexpr char16_t ReadExtrasSql[] =
    u"SELECT \"Ürün\", \"GTIN\", \"Dara\", \"Parti\", \"Hayvan\" FROM \"StokEk\" ORDER BY \"Ürün\"";
constexpr char16_t ClearCustomersSql[] = u"DELETE FROM Cari";
constexpr char16_t ClearProductsSql[] = u"DELETE FROM Stok";
constexpr char16_t ClearExtrasSql[] = u"DELETE FROM StokEk";
constexpr char16_t KeptExtrasSql[] = u"SELECT * FROM StokEk ORDER BY rowid";
constexpr char16_t KeptCustomersSql[] = u"SELECT * FROM Cari ORDER BY rowid";
constexpr char16_t KeptProductsSql[] = u"SELECT * FROM Stok ORDER BY rowid";
constexpr char16_t WriteCustomerSql[] =
    u"INSERT INTO Cari(Kod, Unvan, Gurup, Adres, Telefon, VergiNo) VALUES (?, ?, ?, ?, ?, ?)";
constexpr char16_t WriteProductSql[] =
    u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, ?)";
constexpr char16_t WriteExtraSql[] =
    u"INSERT INTO StokEk(\"Ürün\", GTIN, Dara, Parti, Hayvan) VALUES (?, ?, ?, ?, ?)";
constexpr char16_t BeginSql[] = u"BEGIN IMMEDIATE";
constexpr char16_t CommitSql[] = u"COMMIT";
constexpr char16_t RollbackSql[] = u"ROLLBACK";

struct List
{
    Schema::File file;
    const char16_t *keptSql;
    const char16_t *clearSql;
    const char16_t *readSql;
    const char16_t *writeSql;
};
const List Customers{Schema::File::Cari, KeptCustomersSql, ClearCustomersSql, ReadCustomersSql,
                     WriteCustomerSql};
const List Products{Schema::File::Stok, KeptProductsSql, ClearProductsSql, ReadProductsSql,
                    WriteProductSql};
const List Extras{Schema::File::Stok, KeptExtrasSql, ClearExtrasSql, ReadExtrasSql, WriteExtraSql};

// Every row of `sql`; none when it fails (the list is then written anew).
QList<QVariantList> rowsOf(const QSqlDatabase &db, const char16_t *sql)
{
    QList<QVariantList> rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromUtf16(sql)))
        return rows;
    while (query.next()) {
        QVariantList row;
        for (int column = 0; column < query.record().count(); ++column)
            row << query.value(column);
        rows << row;
    }
    return rows;
}

// Replaces one kept list by the server's rows in one local transaction.
QString replaceList(const QSqlDatabase &server, const QString &path, const List &list,
                    bool &changed)
{
    const StationDatabase kept(path, list.file);
    if (!kept.isOpen())
        return kept.openError();
    QSqlQuery local(kept.database());
    if (!local.exec(QString::fromUtf16(BeginSql)))
        return u"liste dosyası yazılamadı: "_s + errorText(local.lastError());
    const QList<QVariantList> before = rowsOf(kept.database(), list.keptSql);
    QString failure;
    if (!local.exec(QString::fromUtf16(list.clearSql)))
        failure = u"liste dosyası yazılamadı: "_s + errorText(local.lastError());
    else
        RowCopy::copyRows({server, QString::fromUtf16(list.readSql), u"sunucu okunamadı"_s},
                          {kept.database(), QString::fromUtf16(list.writeSql),
                           u"liste dosyası yazılamadı"_s},
                          failure);
    // The same rows as kept: the file stays as it was.
    const bool same = failure.isEmpty() && rowsOf(kept.database(), list.keptSql) == before;
    if (same && local.exec(QString::fromUtf16(RollbackSql)))
        return {};
    if (failure.isEmpty() && local.exec(QString::fromUtf16(CommitSql))) {
        changed = true;
        return {};
    }
    if (failure.isEmpty())
        failure = u"liste dosyası yazılamadı: "_s + errorText(local.lastError());
    local.exec(QString::fromUtf16(RollbackSql));
    return failure;
}

} // namespace

QString cariPath(const QString &folder)
{
    return QDir(folder).filePath(u"MerkezCari.db"_s);
}

QString stokPath(const QString &folder)
{
    return QDir(folder).filePath(u"MerkezStok.db"_s);
}

Refresh refresh(CentralDatabase &central, const QString &folder)
{
    Refresh result;
    if (!central.ensureOpen()) {
        result.failure = central.lastError();
        return result;
    }
    result.failure = replaceList(central.database(), cariPath(folder), Customers, result.changed);
    if (result.failure.isEmpty())
        result.failure =
            replaceList(central.database(), stokPath(folder), Products, result.changed);
    // A server set up before products had extras still gives its lists;
    // the kept extras then stay as they were.
    if (result.failure.isEmpty()) {
        if (const QString extras = replaceList(central.database(), stokPath(folder), Extras, result.changed);
            !extras.isEmpty())
            qCWarning(lcDatabase) << "product extras not read off the server:" << extras;
    }
    return result;
}

} // namespace ServerListCache
