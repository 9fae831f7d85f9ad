#include "weighing/CentralBooking.h"

#include "data/CentralDatabase.h"
#include "data/PackageRecords.h"
#include "data/PackageUpload.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "weighing/WeighingLog.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace CentralBooking {
namespace {

// Made on first use, so a folder that never books to a server keeps its
// schema as it was. A deleted order row takes its key along: a later row
// with the same rowid must never inherit a key the server already holds.
constexpr char16_t KeyTableSql[] =
    u"CREATE TABLE IF NOT EXISTS TartAnahtar(Sira INTEGER PRIMARY KEY, Anahtar TEXT NOT NULL UNIQUE)";
constexpr char16_t KeyTriggerSql[] =
    u"CREATE TRIGGER IF NOT EXISTS TartAnahtarSil AFTER DELETE ON Tart "
    u"BEGIN DELETE FROM TartAnahtar WHERE Sira = old.rowid; END";
constexpr char16_t BeginSql[] = u"BEGIN IMMEDIATE";
constexpr char16_t CommitSql[] = u"COMMIT";
constexpr char16_t RollbackSql[] = u"ROLLBACK";
constexpr char16_t UnkeyedRowsSql[] =
    u"SELECT rowid FROM Tart WHERE Tamam <> 0 AND rowid NOT IN (SELECT Sira FROM TartAnahtar)";
constexpr char16_t InsertKeySql[] = u"INSERT INTO TartAnahtar(Sira, Anahtar) VALUES (?, ?)";
constexpr char16_t PendingRowsSql[] =
    u"SELECT Tart.rowid, Tart.\"Ürün\", Tart.Kilo, TartAnahtar.Anahtar FROM Tart "
    u"JOIN TartAnahtar ON TartAnahtar.Sira = Tart.rowid WHERE Tart.Tamam <> 0 ORDER BY Tart.rowid";
constexpr char16_t MarkBookedSql[] = u"UPDATE Tart SET Tamam = 0 WHERE rowid = ?";
constexpr char16_t DropKeySql[] = u"DELETE FROM TartAnahtar WHERE Sira = ?";
// The station folder's Stok.db on the order file's connection while its
// packages are tied.
constexpr char16_t StokSchema[] = u"stok";
constexpr char16_t AttachStokSql[] = u"ATTACH DATABASE ? AS stok";
constexpr char16_t DetachStokSql[] = u"DETACH DATABASE stok";


QString stokPathOf(const StationDatabase &tavran)
{
    return QFileInfo(tavran.path()).dir().filePath(Schema::fileName(Schema::File::Stok));
}

QList<qint64> rowidsOf(const QList<PendingRow> &rows)
{
    QList<qint64> rowids;
    for (const PendingRow &row : rows)
        rowids << row.rowid;
    return rowids;
}

QString unbookedText(const QString &why)
{
    return u"Merkez veritabanına işlenemedi (%1); fişin satırları işlenmedi, "
           u"bir sonraki yazdırmada işlenir"_s
        .arg(why);
}

// Runs `body` inside BEGIN IMMEDIATE ... COMMIT on the local file.
template<typename Body>
bool inLocalTransaction(const QSqlDatabase &db, QString &failure, Body body)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromUtf16(BeginSql))) {
        failure = unbookedText(errorText(query.lastError()));
        return false;
    }
    if (body(failure)) {
        if (query.exec(QString::fromUtf16(CommitSql)))
            return true;
        failure = unbookedText(errorText(query.lastError()));
    }
    if (!query.exec(QString::fromUtf16(RollbackSql)))
        qCWarning(lcWeighing) << "central booking rollback:" << errorText(query.lastError());
    return false;
}

bool markRows(const QSqlDatabase &db, const QList<PendingRow> &rows, QString &why)
{
    QSqlQuery mark(db);
    QSqlQuery drop(db);
    if (!mark.prepare(QString::fromUtf16(MarkBookedSql)) || !drop.prepare(QString::fromUtf16(DropKeySql))) {
        why = unbookedText(errorText(mark.lastError()) + errorText(drop.lastError()));
        return false;
    }
    for (const PendingRow &row : rows) {
        mark.bindValue(0, row.rowid);
        drop.bindValue(0, row.rowid);
        if (!mark.exec() || !drop.exec()) {
            why = unbookedText(errorText(mark.lastError()) + errorText(drop.lastError()));
            return false;
        }
    }
    return true;
}

// Step 3; with packages, the folder's Stok.db is attached so that their tie
// commits with the rows (rollback journals: SQLite commits both files at once).
bool markBooked(const StationDatabase &tavran, const QList<PendingRow> &rows,
                const QList<PackageRecord> &packages, const QDate &day, int alsatMode,
                const QString &customer, QString &failure)
{
    const QSqlDatabase db = tavran.database();
    if (packages.isEmpty())
        return inLocalTransaction(db, failure, [&](QString &why) { return markRows(db, rows, why); });
    QSqlQuery attach(db);
    if (!attach.prepare(QString::fromUtf16(AttachStokSql))) {
        failure = unbookedText(errorText(attach.lastError()));
        return false;
    }
    attach.addBindValue(stokPathOf(tavran));
    if (!attach.exec()) {
        failure = unbookedText(errorText(attach.lastError()));
        return false;
    }
    const QString date = day.toString(Qt::ISODate);
    const bool ok = makeDurable(db, {}) && makeDurable(db, QString::fromUtf16(StokSchema))
                    && inLocalTransaction(db, failure, [&](QString &why) {
                           QString error;
                           if (!markRows(db, rows, why))
                               return false;
                           if (PackageRecords::tieBooked(db, QString::fromUtf16(StokSchema), u"main"_s,
                                                         rowidsOf(rows), customer, alsatMode, date, &error))
                               return true;
                           why = unbookedText(error);
                           return false;
                       });
    if (!ok && failure.isEmpty())
        failure = unbookedText(u"günlük ayarı yapılamadı"_s);
    if (!attach.exec(QString::fromUtf16(DetachStokSql)))
        qCWarning(lcWeighing) << "central booking detach:" << errorText(attach.lastError());
    return ok;
}

// The packages of `rows` as the server gets them with the booking.
bool bookedPackages(const StationDatabase &tavran, const QList<PendingRow> &rows, const QDate &day,
                    int alsatMode, const QString &customer, QList<PackageRecord> &packages,
                    QString &failure)
{
    QString error;
    if (!PackageRecords::linkedPackages(tavran, stokPathOf(tavran), rowidsOf(rows), packages, &error)) {
        failure = unbookedText(error);
        return false;
    }
    for (PackageRecord &p : packages) {
        p.customer = customer;
        p.alsat = alsatMode;
        p.date = day.toString(Qt::ISODate);
    }
    return true;
}

} // namespace

bool assignKeys(const StationDatabase &tavran, QList<PendingRow> &rows, QString &failure)
{
    rows.clear();
    const QSqlDatabase db = tavran.database();
    {
        QSqlQuery setup(db);
        if (!setup.exec(QString::fromUtf16(KeyTableSql))
            || !setup.exec(QString::fromUtf16(KeyTriggerSql))) {
            failure = unbookedText(errorText(setup.lastError()));
            return false;
        }
    }
    return inLocalTransaction(db, failure, [&](QString &why) {
        QSqlQuery query(db);
        QList<qint64> unkeyed;
        if (!query.exec(QString::fromUtf16(UnkeyedRowsSql))) {
            why = unbookedText(errorText(query.lastError()));
            return false;
        }
        while (query.next())
            unkeyed << query.value(0).toLongLong();
        QSqlQuery insert(db);
        if (!insert.prepare(QString::fromUtf16(InsertKeySql))) {
            why = unbookedText(errorText(insert.lastError()));
            return false;
        }
        for (qint64 rowid : unkeyed) {
            insert.bindValue(0, rowid);
            insert.bindValue(1, QUuid::createUuid().toString(QUuid::WithoutBraces));
            if (!insert.exec()) {
                why = unbookedText(errorText(insert.lastError()));
                return false;
            }
        }
        if (!query.exec(QString::fromUtf16(PendingRowsSql))) {
            why = unbookedText(errorText(query.lastError()));
            return false;
        }
        while (query.next())
            rows.append({query.value(0).toLongLong(), query.value(1).toString(),
                          query.value(2).toDouble(), query.value(3).toString()});
        return true;
    });
}

bool send(CentralDatabase &central, const QList<PendingRow> &rows, const QDate &day, int alsatMode,
          QString &failure, const QList<PackageRecord> &packages)
{
    if (!central.ensureOpen()) {
        failure = unbookedText(central.lastError());
        return false;
    }
    QSqlDatabase db = central.database();
    if (!db.transaction()) {
        failure = unbookedText(db.lastError().text());
        return false;
    }
    QSqlQuery insert(db);
    bool ok = insert.prepare(SqlDialect::of(db).bookMovementSql());
    const QString date = day.toString(Qt::ISODate);
    for (qsizetype i = 0; ok && i < rows.size(); ++i) {
        insert.bindValue(0, date);
        insert.bindValue(1, rows[i].product);
        insert.bindValue(2, rows[i].kilo);
        insert.bindValue(3, alsatMode);
        insert.bindValue(4, rows[i].key);
        ok = insert.exec();
    }
    QString packageError;
    if (ok && !PackageUpload::write(db, packages, &packageError)) {
        failure = unbookedText(packageError);
        db.rollback();
        return false;
    }
    if (ok && db.commit())
        return true;
    failure = unbookedText(ok ? db.lastError().text() : errorText(insert.lastError()));
    db.rollback();
    return false;
}

BookingResult book(CentralDatabase &central, const StationDatabase &tavran, const QDate &day,
                   int alsatMode, const QString &customer)
{
    BookingResult result;
    if (!tavran.isOpen()) {
        result.failure = unbookedText(u"sipariş dosyası açılamadı"_s);
    } else {
        QList<PendingRow> rows;
        QList<PackageRecord> packages;
        if (assignKeys(tavran, rows, result.failure) && !rows.isEmpty()
            && bookedPackages(tavran, rows, day, alsatMode, customer, packages, result.failure)
            && send(central, rows, day, alsatMode, result.failure, packages)
            && markBooked(tavran, rows, packages, day, alsatMode, customer, result.failure))
            result.booked = int(rows.size());
    }
    if (!result.ok())
        qCWarning(lcWeighing) << "central booking stopped:" << result.failure;
    return result;
}

} // namespace CentralBooking
