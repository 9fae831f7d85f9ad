#include "web/JournalDigest.h"

#include "journal/JournalEntry.h"
#include "journal/JournalFile.h"
#include "station/SqliteFile.h"
#include "web/PagesLog.h"

#include <QFileInfo>
#include <QMap>

using namespace Qt::StringLiterals;
using SqliteFile::DbHandle;
using SqliteFile::StmtHandle;

namespace JournalDigest {
namespace {

constexpr char LastSlipsSql[] =
    "SELECT time, station, staff, customer, rows, kilograms, printer, reason FROM entry "
    "WHERE kind IN (?1, ?2) ORDER BY id DESC LIMIT ?3";
constexpr char LastEntriesSql[] =
    "SELECT station, time, kind FROM entry WHERE id IN (SELECT max(id) FROM entry GROUP BY station)";
constexpr char LastErrorsSql[] =
    "SELECT station, time, kind, reason FROM entry WHERE id IN "
    "(SELECT max(id) FROM entry WHERE reason IS NOT NULL AND reason <> '' GROUP BY station)";
constexpr char NewestIdSql[] = "SELECT coalesce(max(id), 0) FROM entry";
constexpr char HasEntriesSql[] = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'entry'";

struct Opened
{
    DbHandle db;
    bool ok = true; // false: there is a journal but it cannot be read
};

// Null with ok set for a journal not written yet.
Opened open(const QString &stationFolder)
{
    const QString file = JournalFile::path(stationFolder);
    if (!QFileInfo::exists(file))
        return {};
    QString error;
    Opened opened{SqliteFile::open(file, false, SqliteFile::BusyTimeoutMs, &error), true};
    StmtHandle has = opened.db ? SqliteFile::prepare(opened.db.get(), HasEntriesSql, &error) : nullptr;
    if (!has) {
        qCWarning(lcPages) << "journal unreadable:" << file << error;
        return {nullptr, false};
    }
    if (sqlite3_step(has.get()) != SQLITE_ROW)
        opened.db.reset();
    return opened;
}

// Runs `stmt` to its end, calling `row` per row; false when reading stopped.
template <typename Row> bool each(sqlite3 *db, sqlite3_stmt *stmt, Row row)
{
    int code;
    while ((code = sqlite3_step(stmt)) == SQLITE_ROW)
        row(stmt);
    if (code == SQLITE_DONE)
        return true;
    qCWarning(lcPages) << "journal reading stopped:" << SqliteFile::errorText(db);
    return false;
}

} // namespace

std::optional<QList<SlipRow>> lastSlips(const QString &stationFolder, int count)
{
    Opened opened = open(stationFolder);
    if (!opened.db)
        return opened.ok ? std::optional(QList<SlipRow>()) : std::nullopt;
    StmtHandle stmt = SqliteFile::prepare(opened.db.get(), LastSlipsSql);
    if (!stmt)
        return std::nullopt;
    SqliteFile::bindText(stmt.get(), 1, JournalKind::Slip);
    SqliteFile::bindText(stmt.get(), 2, JournalKind::SlipAbandoned);
    sqlite3_bind_int(stmt.get(), 3, count);
    QList<SlipRow> slips;
    const bool read = each(opened.db.get(), stmt.get(), [&slips](sqlite3_stmt *s) {
        slips.append({SqliteFile::columnText(s, 0), SqliteFile::columnText(s, 1),
                      SqliteFile::columnText(s, 2), SqliteFile::columnText(s, 3), sqlite3_column_int(s, 4),
                      sqlite3_column_double(s, 5), SqliteFile::columnText(s, 6),
                      SqliteFile::columnText(s, 7)});
    });
    return read ? std::optional(slips) : std::nullopt;
}

std::optional<QList<StationActivity>> stations(const QString &stationFolder)
{
    Opened opened = open(stationFolder);
    if (!opened.db)
        return opened.ok ? std::optional(QList<StationActivity>()) : std::nullopt;
    QMap<QString, StationActivity> byName;
    StmtHandle last = SqliteFile::prepare(opened.db.get(), LastEntriesSql);
    StmtHandle errors = SqliteFile::prepare(opened.db.get(), LastErrorsSql);
    if (!last || !errors)
        return std::nullopt;
    const bool read = each(opened.db.get(), last.get(),
                           [&byName](sqlite3_stmt *s) {
                               StationActivity &a = byName[SqliteFile::columnText(s, 0)];
                               a.station = SqliteFile::columnText(s, 0);
                               a.lastTime = SqliteFile::columnText(s, 1);
                               a.lastKind = SqliteFile::columnText(s, 2);
                           })
        && each(opened.db.get(), errors.get(), [&byName](sqlite3_stmt *s) {
                          StationActivity &a = byName[SqliteFile::columnText(s, 0)];
                          a.errorTime = SqliteFile::columnText(s, 1);
                          a.errorKind = SqliteFile::columnText(s, 2);
                          a.errorReason = SqliteFile::columnText(s, 3);
                      });
    if (!read)
        return std::nullopt;
    return byName.values();
}

QString changeMarker(const QString &stationFolder)
{
    Opened opened = open(stationFolder);
    if (!opened.db)
        return opened.ok ? u"0"_s : QString();
    StmtHandle stmt = SqliteFile::prepare(opened.db.get(), NewestIdSql);
    if (!stmt || sqlite3_step(stmt.get()) != SQLITE_ROW)
        return {};
    return QString::number(sqlite3_column_int64(stmt.get(), 0));
}

} // namespace JournalDigest
