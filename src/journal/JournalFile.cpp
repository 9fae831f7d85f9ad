#include "journal/JournalFile.h"

#include "station/SqliteFile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using SqliteFile::DbHandle;
using SqliteFile::StmtHandle;

namespace JournalFile {
namespace {

constexpr char SchemaSql[] =
    "BEGIN IMMEDIATE;"
    "CREATE TABLE IF NOT EXISTS entry("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, station TEXT NOT NULL, "
    "staff TEXT NOT NULL, kind TEXT NOT NULL, product TEXT, kilograms REAL, barcode TEXT, "
    "barkod TEXT, production_date TEXT, use_by_date TEXT, printer TEXT, customer TEXT, "
    "rows INTEGER, sale_purchase TEXT, reason TEXT, detail TEXT);"
    "CREATE INDEX IF NOT EXISTS entry_time ON entry(time);"
    "CREATE TRIGGER IF NOT EXISTS entry_kept BEFORE UPDATE ON entry "
    "BEGIN SELECT RAISE(ABORT, 'journal entries are never changed'); END;"
    "CREATE TRIGGER IF NOT EXISTS entry_not_deleted BEFORE DELETE ON entry "
    "BEGIN SELECT RAISE(ABORT, 'journal entries are never deleted'); END;"
    "COMMIT";
constexpr char InsertSql[] =
    "INSERT INTO entry(time, station, staff, kind, product, kilograms, barcode, barkod, "
    "production_date, use_by_date, printer, customer, rows, sale_purchase, reason, detail) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)";
#define JOURNAL_SELECT \
    "SELECT id, time, station, staff, kind, product, kilograms, barcode, barkod, production_date, " \
    "use_by_date, printer, customer, rows, sale_purchase, reason, detail FROM entry "
constexpr char SelectFilteredSql[] = JOURNAL_SELECT
    "WHERE (?1 IS NULL OR substr(time, 1, 10) >= ?1) AND (?2 IS NULL OR substr(time, 1, 10) <= ?2) "
    "AND (?3 IS NULL OR staff = ?3) ORDER BY id";
constexpr char SelectOneSql[] = JOURNAL_SELECT "WHERE id = ?1";
#undef JOURNAL_SELECT
constexpr char TableExistsSql[] = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'entry'";

// How long an entry may wait for another writer: the work it records never waits longer.
constexpr int BusyMs = 250;

const QString TimeFormat = u"yyyy-MM-dd'T'HH:mm:ss"_s;

JournalEntry readRow(sqlite3_stmt *stmt)
{
    JournalEntry e;
    e.id = sqlite3_column_int64(stmt, 0);
    e.time = QDateTime::fromString(SqliteFile::columnText(stmt, 1), TimeFormat);
    e.station = SqliteFile::columnText(stmt, 2);
    e.staff = SqliteFile::columnText(stmt, 3);
    e.kind = SqliteFile::columnText(stmt, 4);
    e.product = SqliteFile::columnText(stmt, 5);
    if (sqlite3_column_type(stmt, 6) != SQLITE_NULL)
        e.kilograms = sqlite3_column_double(stmt, 6);
    e.barcode = SqliteFile::columnText(stmt, 7);
    e.barkod = SqliteFile::columnText(stmt, 8);
    e.productionDate = SqliteFile::columnText(stmt, 9);
    e.useByDate = SqliteFile::columnText(stmt, 10);
    e.printer = SqliteFile::columnText(stmt, 11);
    e.customer = SqliteFile::columnText(stmt, 12);
    if (sqlite3_column_type(stmt, 13) != SQLITE_NULL)
        e.rows = sqlite3_column_int(stmt, 13);
    e.salePurchase = SqliteFile::columnText(stmt, 14);
    e.reason = SqliteFile::columnText(stmt, 15);
    e.detail = SqliteFile::columnText(stmt, 16);
    return e;
}

// A database opened for reading, or null for a journal not written yet.
DbHandle openForReading(const QString &file, QString *error, bool *ok)
{
    *ok = true;
    if (!QFileInfo::exists(file))
        return nullptr;
    DbHandle db = SqliteFile::open(file, false, SqliteFile::BusyTimeoutMs, error);
    if (!db) {
        *ok = false;
        return nullptr;
    }
    StmtHandle exists = SqliteFile::prepare(db.get(), TableExistsSql, error);
    if (!exists) {
        *ok = false;
        return nullptr;
    }
    return sqlite3_step(exists.get()) == SQLITE_ROW ? std::move(db) : nullptr;
}

void bindDate(sqlite3_stmt *stmt, int index, const QDate &day)
{
    SqliteFile::bindText(stmt, index, day.isValid() ? day.toString(Qt::ISODate) : QString());
}

} // namespace

QString path(const QString &stationFolder)
{
    return QDir(stationFolder).filePath(u"Journal.db"_s);
}

bool append(const QString &file, const JournalEntry &e, QString *error)
{
    DbHandle db = SqliteFile::open(file, true, BusyMs, error);
    if (!db || !SqliteFile::exec(db.get(), SqliteFile::DurableSql, error))
        return false;
    if (!SqliteFile::exec(db.get(), SchemaSql, error)) {
        SqliteFile::exec(db.get(), "ROLLBACK");
        return false;
    }
    StmtHandle stmt = SqliteFile::prepare(db.get(), InsertSql, error);
    if (!stmt)
        return false;
    sqlite3_stmt *s = stmt.get();
    const QDateTime time = e.time.isValid() ? e.time : QDateTime::currentDateTime();
    SqliteFile::bindText(s, 1, time.toString(TimeFormat));
    SqliteFile::bindText(s, 2, e.station.isNull() ? u""_s : e.station);
    SqliteFile::bindText(s, 3, e.staff.isNull() ? u""_s : e.staff);
    SqliteFile::bindText(s, 4, e.kind);
    SqliteFile::bindText(s, 5, e.product);
    if (e.kilograms)
        sqlite3_bind_double(s, 6, *e.kilograms);
    SqliteFile::bindText(s, 7, e.barcode);
    SqliteFile::bindText(s, 8, e.barkod);
    SqliteFile::bindText(s, 9, e.productionDate);
    SqliteFile::bindText(s, 10, e.useByDate);
    SqliteFile::bindText(s, 11, e.printer);
    SqliteFile::bindText(s, 12, e.customer);
    if (e.rows)
        sqlite3_bind_int(s, 13, *e.rows);
    SqliteFile::bindText(s, 14, e.salePurchase);
    SqliteFile::bindText(s, 15, e.reason);
    SqliteFile::bindText(s, 16, e.detail);
    if (sqlite3_step(s) != SQLITE_DONE) {
        if (error)
            *error = SqliteFile::errorText(db.get());
        return false;
    }
    return true;
}

bool read(const QString &file, const Filter &filter, QList<JournalEntry> &entries, QString *error)
{
    entries.clear();
    bool ok = true;
    DbHandle db = openForReading(file, error, &ok);
    if (!db)
        return ok;
    StmtHandle stmt = SqliteFile::prepare(db.get(), SelectFilteredSql, error);
    if (!stmt)
        return false;
    bindDate(stmt.get(), 1, filter.from);
    bindDate(stmt.get(), 2, filter.to);
    SqliteFile::bindText(stmt.get(), 3, filter.staff.isEmpty() ? QString() : filter.staff);
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        entries.append(readRow(stmt.get()));
    if (rc != SQLITE_DONE) {
        if (error)
            *error = SqliteFile::errorText(db.get());
        return false;
    }
    return true;
}

std::optional<JournalEntry> entry(const QString &file, qint64 id, QString *error)
{
    bool ok = true;
    DbHandle db = openForReading(file, error, &ok);
    if (!db)
        return std::nullopt;
    StmtHandle stmt = SqliteFile::prepare(db.get(), SelectOneSql, error);
    if (!stmt)
        return std::nullopt;
    sqlite3_bind_int64(stmt.get(), 1, id);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW)
        return std::nullopt;
    return readRow(stmt.get());
}

} // namespace JournalFile
