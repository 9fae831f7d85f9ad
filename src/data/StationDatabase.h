#pragma once

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QString>

// One open database file of the station folder. Owns its Qt SQL connection
// and removes it when destroyed. The TURKISH collation is registered on
// every connection, since the title and product indexes use it.
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

// Registers TURKISH on a SQLite connection of the Qt driver.
bool registerTurkishCollation(const QSqlDatabase &db);
