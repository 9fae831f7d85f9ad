#pragma once

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <memory>

class CentralDatabase;
struct sqlite3;
struct DatabaseLocation;

// One open database file of the station folder. Owns its Qt SQL connection
// and removes it when destroyed. Every connection runs with a rollback
// journal and full sync, and has the TURKISH collation and the turkish_fold
// function for its statements; the stored schema names neither, so any
// SQLite program opens the files.
// Or, on a plant with a central server, the connection to the shared tables
// there: the data controls bind to either without knowing which.
class StationDatabase
{
public:
    StationDatabase(const QString &path, Schema::File file);
    // Connects to the server; not open (and `openError()`
    // says why, in Turkish) while the server cannot be reached.
    explicit StationDatabase(const DatabaseLocation &server);
    ~StationDatabase();
    StationDatabase(const StationDatabase &) = delete;
    StationDatabase &operator=(const StationDatabase &) = delete;

    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QSqlDatabase database() const;

    // The server connection; null for a file of the station folder.
    CentralDatabase *central() const { return m_central.get(); }
    QString openError() const;
    // Tries the server again (after an outage); true when open now.
    bool reconnect();

private:
    QString m_path;
    QString m_connectionName;
    bool m_open = false;
    bool m_busy = false;
    std::unique_ptr<CentralDatabase> m_central;
};

// Registers TURKISH and turkish_fold on a SQLite connection of the Qt driver.
bool registerTurkishCollation(const QSqlDatabase &db);
// The same on a connection of the SQLite C API.
bool registerTurkishCollation(sqlite3 *db);

// Rollback journal and full sync (the folder too) on the connection's `schema` ("main" when
// empty, or an attached file). False (and logged, and `error` set when
// given) when SQLite refused.
bool makeDurable(const QSqlDatabase &db, const QString &schema, QSqlError *error = nullptr);

// True when another program held the file longer than the station waits.
bool isBusy(const QSqlError &error);

// The engine's own words for a failed statement, else Qt's: for messages;
// the Turkish reason for a busy file of `db` when given.
QString errorText(const QSqlError &error, const QSqlDatabase &db = {});
