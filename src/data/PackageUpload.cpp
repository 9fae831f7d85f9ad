#include "data/PackageUpload.h"

#include "data/CentralDatabase.h"
#include "data/PackageRecords.h"
#include "data/StationDatabase.h"

#include <QLoggingCategory>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace PackageUpload {
namespace {

constexpr char16_t UpsertSql[] =
    u"INSERT INTO \"Paket\"(\"Anahtar\", \"Zaman\", \"Istasyon\", \"Personel\", \"Ürün\", "
    u"\"Barkod\", \"Kilo\", \"Dara\", \"Parti\", \"Hayvan\", \"TartSira\", \"EtiketBarkod\", "
    u"\"Cari\", \"Alsat\", \"Tarih\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
    u"ON CONFLICT (\"Anahtar\") DO UPDATE SET \"TartSira\" = excluded.\"TartSira\", "
    u"\"EtiketBarkod\" = excluded.\"EtiketBarkod\", "
    u"\"Cari\" = coalesce(excluded.\"Cari\", \"Paket\".\"Cari\"), "
    u"\"Alsat\" = coalesce(excluded.\"Alsat\", \"Paket\".\"Alsat\"), "
    u"\"Tarih\" = coalesce(excluded.\"Tarih\", \"Paket\".\"Tarih\")";

QVariant text(const QString &value)
{
    return value.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
}

} // namespace

bool write(const QSqlDatabase &db, const QList<PackageRecord> &packages, QString *error)
{
    QSqlQuery upsert(db);
    if (!upsert.prepare(QString::fromUtf16(UpsertSql))) {
        *error = errorText(upsert.lastError());
        return false;
    }
    for (const PackageRecord &p : packages) {
        const QVariantList values = {
            p.key, p.time, text(p.station), text(p.staff), text(p.product), text(p.barkod), p.kilo,
            p.tare, text(p.lot), text(p.animal),
            p.orderRow ? QVariant(*p.orderRow) : QVariant(QMetaType::fromType<qint64>()),
            text(p.labelBarcode), text(p.customer),
            p.alsat ? QVariant(*p.alsat) : QVariant(QMetaType::fromType<int>()), text(p.date)};
        for (int i = 0; i < values.size(); ++i)
            upsert.bindValue(i, values[i]);
        if (!upsert.exec()) {
            *error = errorText(upsert.lastError());
            return false;
        }
    }
    return true;
}

Result sendQueued(CentralDatabase &central, const QString &stokPath)
{
    Result result;
    const StationDatabase stok(stokPath, Schema::File::Stok);
    QList<PackageRecord> packages;
    qint64 upTo = 0;
    if (!PackageRecords::queued(stok, packages, &upTo, &result.failure))
        return result;
    if (upTo == 0)
        return result;
    if (!central.ensureOpen()) {
        result.failure = central.lastError();
        return result;
    }
    QSqlDatabase db = central.database();
    if (!db.transaction()) {
        result.failure = errorText(db.lastError());
        return result;
    }
    if (!write(db, packages, &result.failure) || !db.commit()) {
        if (result.failure.isEmpty())
            result.failure = errorText(db.lastError());
        db.rollback();
        return result;
    }
    // A stop here sends the same packages again next time: harmless.
    if (!PackageRecords::dequeue(stok, upTo, &result.failure))
        return result;
    result.sent = int(packages.size());
    return result;
}

} // namespace PackageUpload
