#pragma once

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QString>

// One open database file of the station folder. Owns its Qt SQL connection
// and removes it when destroyed. Every connection runs with a rollback
// journal and full sync, and has the TURKISH collation and the turkish_fold
// function for its statements; the stored schema names neither, so any
// SQLite program opens the files.
class StationDatabase
{
public:
    StationDatabase(const QString &path, Schema::File file);
    ~StationDatabase();
    StationDatabase(const StationDatabase &) = delete;
    StationDatabase &operator=(const StationDatabase &) = delete;

    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QSqlDatabase database() const;

private:
    QString m_path;
    QString m_connectionName;
    bool m_open = false;
};

// Registers TURKISH and turkish_fold on a SQLite connection of the Qt driver.
bool registerTurkishCollation(const QSqlDatabase &db);

// Rollback journal and full sync on the connection's `schema` ("main" when
// empty, or an attached file). False (and logged) when SQLite refused.
bool makeDurable(const QSqlDatabase &db, const QString &schema);
