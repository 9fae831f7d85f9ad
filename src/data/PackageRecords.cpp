#include "data/PackageRecords.h"

#include "data/StationDatabase.h"

#include <QLoggingCategory>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace PackageRecords {
namespace {

constexpr char16_t BeginSql[] = u"BEGIN IMMEDIATE";
constexpr char16_t CommitSql[] = u"COMMIT";
constexpr char16_t RollbackSql[] = u"ROLLBACK";
constexpr char16_t Columns[] =
    u"Anahtar, Zaman, Istasyon, Personel, \"Ürün\", Barkod, Kilo, Dara, Parti, Hayvan, "
    u"TartSira, EtiketBarkod, Cari, Alsat, Tarih";
constexpr char16_t InsertSql[] =
    u"INSERT INTO Paket(%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr char16_t ByKeySql[] = u"SELECT %1 FROM Paket WHERE Anahtar = ?";
// The queue position only grows, so a position read once still names the
// same entries when they are forgotten.
constexpr char16_t QueueTableSql[] =
    u"CREATE TABLE IF NOT EXISTS PaketGiden(Sira INTEGER PRIMARY KEY AUTOINCREMENT, "
    u"Anahtar TEXT NOT NULL)";
constexpr char16_t QueueSql[] = u"INSERT INTO PaketGiden(Anahtar) VALUES (?)";
constexpr char16_t QueueEndSql[] = u"SELECT coalesce(max(Sira), 0) FROM PaketGiden";
constexpr char16_t QueuedSql[] =
    u"SELECT %1 FROM Paket WHERE Anahtar IN (SELECT Anahtar FROM PaketGiden WHERE Sira <= ?) "
    u"ORDER BY Sira";
constexpr char16_t DequeueSql[] = u"DELETE FROM PaketGiden WHERE Sira <= ?";
// %1 is a schema name of the station's own followed by a dot, or nothing.
constexpr char16_t LinkTableSql[] =
    u"CREATE TABLE IF NOT EXISTS %1TartPaket(Anahtar TEXT PRIMARY KEY, Sira INTEGER NOT NULL, "
    u"EtiketBarkod TEXT)";
constexpr char16_t LinkTriggerSql[] =
    u"CREATE TRIGGER IF NOT EXISTS %1TartPaketSil AFTER DELETE ON Tart "
    u"BEGIN DELETE FROM TartPaket WHERE Sira = old.rowid; END";
constexpr char16_t LinkExistsSql[] =
    u"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'TartPaket'";
constexpr char16_t LastRowSql[] = u"SELECT last_insert_rowid()";
constexpr char16_t LinkSql[] =
    u"INSERT OR REPLACE INTO TartPaket(Anahtar, Sira, EtiketBarkod) VALUES (?, ?, ?)";
constexpr char16_t LinkedSql[] =
    u"SELECT Anahtar, EtiketBarkod FROM TartPaket WHERE Sira = ? ORDER BY rowid";
// A new order row gets a rowid above every row still there: packages not yet
// booked that name it or a higher one belong to rows removed since.
constexpr char16_t StaleSql[] = u"SELECT Anahtar FROM Paket WHERE TartSira >= ? AND Cari IS NULL";
constexpr char16_t UnmarkSql[] = u"UPDATE Paket SET TartSira = NULL WHERE TartSira >= ? AND Cari IS NULL";
constexpr char16_t MarkSql[] = u"UPDATE Paket SET TartSira = ?, EtiketBarkod = ? WHERE Anahtar = ?";
// The link's label text stands in for a mark a stop kept from the package.
constexpr char16_t TieSql[] =
    u"UPDATE %1Paket SET TartSira = ?, Cari = ?, Alsat = ?, Tarih = ?, EtiketBarkod = coalesce("
    u"(SELECT EtiketBarkod FROM %2TartPaket WHERE Anahtar = %1Paket.Anahtar), EtiketBarkod) "
    u"WHERE Anahtar IN (SELECT Anahtar FROM %2TartPaket WHERE Sira = ?)";
constexpr char16_t UnlinkSql[] = u"DELETE FROM %1TartPaket WHERE Sira = ?";

QString sql(const char16_t *text, const QString &arg = {})
{
    const QString s = QString::fromUtf16(text);
    return s.contains(u"%1"_s) ? s.arg(arg) : s;
}

QString prefix(const QString &schema)
{
    return schema.isEmpty() ? QString() : schema + u'.';
}

bool failed(const QSqlQuery &query, QString *error)
{
    if (error)
        *error = errorText(query.lastError());
    return false;
}

bool exec(QSqlQuery &query, const QString &text, const QVariantList &values, QString *error)
{
    if (!query.prepare(text))
        return failed(query, error);
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec() || failed(query, error);
}

bool opened(const StationDatabase &stok, QString *error)
{
    if (!stok.isOpen() && error)
        *error = u"Stok.db açılamadı"_s;
    return stok.isOpen();
}

QVariant orNull(const QString &text)
{
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// Runs `body` between BEGIN IMMEDIATE and COMMIT; rolled back when it fails.
template<typename Body>
bool inTransaction(const QSqlDatabase &db, QString *error, Body body)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromUtf16(BeginSql)))
        return failed(query, error);
    if (body() && (query.exec(QString::fromUtf16(CommitSql)) || failed(query, error)))
        return true;
    if (!query.exec(QString::fromUtf16(RollbackSql)))
        qCWarning(lcDatabase) << "package rollback:" << query.lastError().text();
    return false;
}

bool enqueue(const QSqlDatabase &db, const QStringList &keys, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromUtf16(QueueTableSql)) || !query.prepare(QString::fromUtf16(QueueSql)))
        return failed(query, error);
    for (const QString &key : keys) {
        query.bindValue(0, key);
        if (!query.exec())
            return failed(query, error);
    }
    return true;
}

PackageRecord read(const QSqlQuery &q)
{
    PackageRecord p;
    p.key = q.value(0).toString();
    p.time = q.value(1).toString();
    p.station = q.value(2).toString();
    p.staff = q.value(3).toString();
    p.product = q.value(4).toString();
    p.barkod = q.value(5).toString();
    p.kilo = q.value(6).toDouble();
    p.tare = q.value(7).toDouble();
    p.lot = q.value(8).toString();
    p.animal = q.value(9).toString();
    if (!q.isNull(10))
        p.orderRow = q.value(10).toLongLong();
    p.labelBarcode = q.value(11).toString();
    p.customer = q.value(12).toString();
    if (!q.isNull(13))
        p.alsat = q.value(13).toInt();
    p.date = q.value(14).toString();
    return p;
}

} // namespace

bool add(const StationDatabase &stok, const PackageRecord &p, bool queueForServer, QString *error)
{
    if (!opened(stok, error))
        return false;
    const QSqlDatabase db = stok.database();
    return inTransaction(db, error, [&] {
        QSqlQuery insert(db);
        const QVariant noRow = p.orderRow ? QVariant(*p.orderRow) : QVariant(QMetaType::fromType<qint64>());
        const QVariant noAlsat = p.alsat ? QVariant(*p.alsat) : QVariant(QMetaType::fromType<int>());
        return exec(insert, sql(InsertSql, QString::fromUtf16(Columns)),
                    {p.key, p.time, p.station, p.staff, p.product, p.barkod, p.kilo, p.tare, p.lot,
                     orNull(p.animal), noRow, orNull(p.labelBarcode), orNull(p.customer), noAlsat,
                     orNull(p.date)},
                    error)
               && (!queueForServer || enqueue(db, {p.key}, error));
    });
}

bool ensureLinks(const QSqlDatabase &db, const QString &schema, QString *error)
{
    QSqlQuery query(db);
    return (query.exec(sql(LinkTableSql, prefix(schema))) && query.exec(sql(LinkTriggerSql, prefix(schema))))
           || failed(query, error);
}

bool addLinkedRow(const StationDatabase &tavran, const std::function<bool()> &addRow,
                  const QStringList &keys, const QString &labelBarcode, qint64 *rowid, QString *error)
{
    const QSqlDatabase db = tavran.database();
    if (!tavran.isOpen() || !ensureLinks(db, {}, error))
        return false;
    return inTransaction(db, error, [&] {
        if (!addRow())
            return false;
        QSqlQuery query(db);
        if (!query.exec(QString::fromUtf16(LastRowSql)) || !query.next())
            return failed(query, error);
        *rowid = query.value(0).toLongLong();
        for (const QString &key : keys)
            if (!exec(query, sql(LinkSql), {key, *rowid, orNull(labelBarcode)}, error))
                return false;
        return true;
    });
}

bool markOrderRow(const StationDatabase &stok, const QStringList &keys, qint64 rowid,
                  const QString &labelBarcode, bool queueForServer, QString *error)
{
    if (!opened(stok, error))
        return false;
    const QSqlDatabase db = stok.database();
    return inTransaction(db, error, [&] {
        QSqlQuery query(db);
        QStringList changed;
        if (!exec(query, sql(StaleSql), {rowid}, error))
            return false;
        while (query.next())
            changed << query.value(0).toString();
        if (!exec(query, sql(UnmarkSql), {rowid}, error))
            return false;
        for (const QString &key : keys) {
            if (!exec(query, sql(MarkSql), {rowid, orNull(labelBarcode), key}, error))
                return false;
            if (!changed.contains(key))
                changed << key;
        }
        return !queueForServer || enqueue(db, changed, error);
    });
}

bool tieBooked(const QSqlDatabase &db, const QString &stokSchema, const QString &orderSchema,
               const QList<qint64> &rowids, const QString &customer, int alsat, const QString &date,
               QString *error)
{
    QSqlQuery tie(db);
    QSqlQuery unlink(db);
    if (!tie.prepare(QString::fromUtf16(TieSql).arg(prefix(stokSchema), prefix(orderSchema))))
        return failed(tie, error);
    if (!unlink.prepare(sql(UnlinkSql, prefix(orderSchema))))
        return failed(unlink, error);
    for (qint64 rowid : rowids) {
        const QVariantList values{rowid, customer, alsat, date, rowid};
        for (int i = 0; i < values.size(); ++i)
            tie.bindValue(i, values[i]);
        unlink.bindValue(0, rowid);
        if (!tie.exec())
            return failed(tie, error);
        if (!unlink.exec())
            return failed(unlink, error);
    }
    return true;
}

bool linkedPackages(const StationDatabase &tavran, const QString &stokPath,
                    const QList<qint64> &rowids, QList<PackageRecord> &packages, QString *error)
{
    packages.clear();
    QSqlQuery links(tavran.database());
    if (!links.exec(QString::fromUtf16(LinkExistsSql)))
        return failed(links, error);
    if (!links.next())
        return true; // no package was ever linked in this folder
    const StationDatabase stok(stokPath, Schema::File::Stok);
    QSqlQuery rows(stok.database());
    for (qint64 rowid : rowids) {
        if (!exec(links, sql(LinkedSql), {rowid}, error))
            return false;
        while (links.next()) {
            if (!exec(rows, sql(ByKeySql, QString::fromUtf16(Columns)), {links.value(0)}, error))
                return false;
            if (rows.next()) {
                packages << read(rows);
                packages.last().orderRow = rowid;
                if (!links.isNull(1))
                    packages.last().labelBarcode = links.value(1).toString();
            }
        }
    }
    return true;
}

bool queued(const StationDatabase &stok, QList<PackageRecord> &packages, qint64 *upTo, QString *error)
{
    packages.clear();
    *upTo = 0;
    if (!opened(stok, error))
        return false;
    const QSqlDatabase db = stok.database();
    QSqlQuery setup(db);
    if (!setup.exec(QString::fromUtf16(QueueTableSql)))
        return failed(setup, error);
    return inTransaction(db, error, [&] {
        QSqlQuery query(db);
        if (!query.exec(QString::fromUtf16(QueueEndSql)) || !query.next())
            return failed(query, error);
        *upTo = query.value(0).toLongLong();
        if (!exec(query, sql(QueuedSql, QString::fromUtf16(Columns)), {*upTo}, error))
            return false;
        while (query.next())
            packages << read(query);
        return true;
    });
}

bool dequeue(const StationDatabase &stok, qint64 upTo, QString *error)
{
    QSqlQuery query(stok.database());
    return exec(query, sql(DequeueSql), {upTo}, error);
}

} // namespace PackageRecords
