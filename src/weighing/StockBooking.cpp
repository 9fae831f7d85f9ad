#include "weighing/StockBooking.h"

#include "data/PackageRecords.h"
#include "data/StationDatabase.h"
#include "weighing/WeighingLog.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace StockBooking {
namespace {

// The order file's name on the Stok.db connection while booking.
constexpr char16_t OrderSchema[] = u"siparis";
constexpr char16_t AttachSql[] = u"ATTACH DATABASE ? AS siparis";
constexpr char16_t DetachSql[] = u"DETACH DATABASE siparis";
constexpr char16_t BeginSql[] = u"BEGIN IMMEDIATE";
constexpr char16_t CommitSql[] = u"COMMIT";
constexpr char16_t RollbackSql[] = u"ROLLBACK";
constexpr char16_t PendingRowsSql[] =
    u"SELECT rowid, \"Ürün\", Kilo FROM siparis.Tart WHERE Tamam <> 0 ORDER BY rowid";
constexpr char16_t InsertMovementSql[] =
    u"INSERT INTO main.StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)";
constexpr char16_t MarkBookedSql[] = u"UPDATE siparis.Tart SET Tamam = 0 WHERE rowid = ?";

struct PendingRow
{
    qint64 rowid = 0;
    QString product;
    double kilo = 0;
};

QString failureText(const QString &product, const QString &error)
{
    return u"«%1» işlenemedi (%2); fişin satırları işlenmedi, bir sonraki yazdırmada işlenir"_s
        .arg(product, error);
}


// Books the rows inside the open transaction; the failure text, empty when all went in.
QString bookRows(const QSqlDatabase &db, const QList<PendingRow> &rows, const QDate &day,
                 int alsatMode, const QString &customer)
{
    QSqlQuery insert(db);
    QSqlQuery mark(db);
    QString error;
    if (!PackageRecords::ensureLinks(db, QString::fromUtf16(OrderSchema), &error))
        return failureText(rows.first().product, error);
    if (!insert.prepare(QString::fromUtf16(InsertMovementSql)))
        return failureText(rows.first().product, errorText(insert.lastError()));
    if (!mark.prepare(QString::fromUtf16(MarkBookedSql)))
        return failureText(rows.first().product, errorText(mark.lastError()));
    const QString date = day.toString(Qt::ISODate);
    QList<qint64> rowids;
    for (const PendingRow &row : rows) {
        insert.bindValue(0, date);
        insert.bindValue(1, row.product);
        insert.bindValue(2, row.kilo);
        insert.bindValue(3, alsatMode);
        if (!insert.exec())
            return failureText(row.product, errorText(insert.lastError()));
        mark.bindValue(0, row.rowid);
        if (!mark.exec())
            return failureText(row.product, errorText(mark.lastError()));
        if (mark.numRowsAffected() != 1)
            return failureText(row.product, u"sipariş satırı bulunamadı"_s);
        rowids << row.rowid;
    }
    if (!PackageRecords::tieBooked(db, u"main"_s, QString::fromUtf16(OrderSchema), rowids, customer,
                                   alsatMode, date, &error))
        return failureText(rows.first().product, error);
    return {};
}

// One transaction over both files; `result` is filled in.
void bookAttached(const QSqlDatabase &db, const QDate &day, int alsatMode, const QString &customer,
                  BookingResult &result)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromUtf16(BeginSql))) {
        result.failure = failureText(u"sipariş"_s, errorText(query.lastError()));
        return;
    }
    QList<PendingRow> rows;
    if (query.exec(QString::fromUtf16(PendingRowsSql))) {
        while (query.next())
            rows.append({query.value(0).toLongLong(), query.value(1).toString(),
                         query.value(2).toDouble()});
    } else {
        result.failure = failureText(u"sipariş"_s, errorText(query.lastError()));
    }
    query.finish();
    if (result.ok() && !rows.isEmpty())
        result.failure = bookRows(db, rows, day, alsatMode, customer);
    if (result.ok() && query.exec(QString::fromUtf16(CommitSql))) {
        result.booked = int(rows.size());
        return;
    }
    if (result.ok())
        result.failure = failureText(rows.first().product, errorText(query.lastError()));
    if (!query.exec(QString::fromUtf16(RollbackSql)))
        qCWarning(lcWeighing) << "booking rollback:" << errorText(query.lastError());
}

} // namespace

BookingResult book(const StationDatabase &stok, const StationDatabase &tavran, const QDate &day,
                   int alsatMode, const QString &customer)
{
    BookingResult result;
    if (!stok.isOpen() || !tavran.isOpen()) {
        result.failure = u"sipariş veya stok hareketleri açılamadı"_s;
        qCWarning(lcWeighing) << "booking stopped:" << result.failure;
        return result;
    }
    const QSqlDatabase db = stok.database();
    {
        QSqlQuery attach(db);
        if (!attach.prepare(QString::fromUtf16(AttachSql))) {
            result.failure = failureText(u"sipariş"_s, errorText(attach.lastError()));
        } else {
            attach.addBindValue(tavran.path());
            if (!attach.exec())
                result.failure = failureText(u"sipariş"_s, errorText(attach.lastError()));
        }
    }
    if (result.ok()) {
        // A file still in WAL (held open elsewhere) would commit on its own:
        // no booking then rather than one that may come out half.
        if (makeDurable(db, {}) && makeDurable(db, QString::fromUtf16(OrderSchema)))
            bookAttached(db, day, alsatMode, customer, result);
        else
            result.failure = failureText(u"sipariş"_s, u"günlük ayarı yapılamadı"_s);
        QSqlQuery detach(db);
        if (!detach.exec(QString::fromUtf16(DetachSql)))
            qCWarning(lcWeighing) << "booking detach:" << errorText(detach.lastError());
    }
    if (!result.ok())
        qCWarning(lcWeighing) << "booking stopped:" << result.failure;
    return result;
}

} // namespace StockBooking
