#include "weighing/CentralBooking.h"

#include "data/CentralDatabase.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "weighing/WeighingLog.h"

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

bool markBooked(const StationDatabase &tavran, const QList<PendingRow> &rows, QString &failure)
{
    const QSqlDatabase db = tavran.database();
    return inLocalTransaction(db, failure, [&](QString &why) {
        QSqlQuery mark(db);
        QSqlQuery drop(db);
        if (!mark.prepare(QString::fromUtf16(MarkBookedSql))
            || !drop.prepare(QString::fromUtf16(DropKeySql))) {
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
    });
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
          QString &failure)
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
    if (ok && db.commit())
        return true;
    failure = unbookedText(ok ? db.lastError().text() : errorText(insert.lastError()));
    db.rollback();
    return false;
}

BookingResult book(CentralDatabase &central, const StationDatabase &tavran, const QDate &day,
                   int alsatMode)
{
    BookingResult result;
    if (!tavran.isOpen()) {
        result.failure = unbookedText(u"sipariş dosyası açılamadı"_s);
    } else {
        QList<PendingRow> rows;
        if (assignKeys(tavran, rows, result.failure) && !rows.isEmpty()
            && send(central, rows, day, alsatMode, result.failure)
            && markBooked(tavran, rows, result.failure))
            result.booked = int(rows.size());
    }
    if (!result.ok())
        qCWarning(lcWeighing) << "central booking stopped:" << result.failure;
    return result;
}

} // namespace CentralBooking
