#pragma once

#include <QString>
#include <memory>
#include <sqlite3.h>

// RAII handles over the SQLite C API for the small files the station keeps
// next to its databases (the station key, the journal).
namespace SqliteFile {

struct DbCloser
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer
{
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// How long every reader and command waits for another program's lock on a
// station file before it says the file is busy.
inline constexpr int BusyTimeoutMs = 10000;

// Rollback journal, and the folder synced after the journal is deleted: a
// commit the station has shown as done is still there after a power cut.
inline constexpr char DurableSql[] = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=EXTRA";

// Opens `path`; for writing it is created when missing. For reading it is
// opened read-write where the file allows it, never created, so a journal
// left by a crashed writer is rolled back before the first read instead of
// failing it. `busyMs` bounds the wait for another writer. Null on failure,
// with `error` set when given.
DbHandle open(const QString &path, bool forWriting, int busyMs, QString *error = nullptr);
StmtHandle prepare(sqlite3 *db, const char *sql, QString *error = nullptr);
bool exec(sqlite3 *db, const char *sql, QString *error = nullptr);

// True for a result code that means another program held the file too long.
bool isBusy(int resultCode);
// The Turkish reason for a command that gave up waiting on `fileName`:
// the name followed by busyReason().
QString busyMessage(const QString &fileName);
QString busyReason();
// A journal of a crashed writer could not be rolled back (a read-only file):
// the Turkish words for it.
bool isLeftoverJournal(int resultCode);
QString leftoverJournalMessage();

// Why the last call on `db` failed: the Turkish words for a busy file or a
// leftover journal, else the engine's own text.
QString errorText(sqlite3 *db);

void bindText(sqlite3_stmt *stmt, int index, const QString &text);
QString columnText(sqlite3_stmt *stmt, int column);

// Makes sure `path` exists readable and writable by its owner only, and
// narrows an existing file to that.
bool createPrivate(const QString &path);

} // namespace SqliteFile
