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

// Opens `path`; for writing it is created when missing. `busyMs` bounds the
// wait for another writer. Null on failure, with `error` set when given.
DbHandle open(const QString &path, bool forWriting, int busyMs, QString *error = nullptr);
// Opens an existing file without creating it, for writing where the file
// allows: a journal left next to it by a writer that died is then rolled
// back on the first read instead of making every read fail.
DbHandle openExisting(const QString &path, int busyMs, QString *error = nullptr);
StmtHandle prepare(sqlite3 *db, const char *sql, QString *error = nullptr);
bool exec(sqlite3 *db, const char *sql, QString *error = nullptr);

void bindText(sqlite3_stmt *stmt, int index, const QString &text);
QString columnText(sqlite3_stmt *stmt, int column);

// Makes sure `path` exists readable and writable by its owner only, and
// narrows an existing file to that.
bool createPrivate(const QString &path);

} // namespace SqliteFile
