#pragma once

#include "data/DatabaseLocation.h"

#include <QSqlDatabase>
#include <QString>

// One connection to the central server holding the shared tables. Owns its
// Qt SQL connection and removes it when destroyed; used on the thread that
// made it (the window's through CentralLink). Connecting, each statement and
// a stalled link all time out within seconds, so no worker hangs for good.
class CentralDatabase
{
public:
    explicit CentralDatabase(const DatabaseLocation &location);
    ~CentralDatabase();
    CentralDatabase(const CentralDatabase &) = delete;
    CentralDatabase &operator=(const CentralDatabase &) = delete;

    // Connects (again, after a lost connection or a server restart). False
    // with lastError() in Turkish when the server cannot be reached.
    bool open();
    bool isOpen() const;
    // Whether the connection still answers; reconnects once when not.
    bool ensureOpen();
    QString lastError() const { return m_error; }
    QSqlDatabase database() const;
    const DatabaseLocation &location() const { return m_location; }

    // Creates the shared tables, indexes and constraints that are missing,
    // in one transaction; running it again changes nothing.
    bool initSchema();

    // Whether Qt's driver for the server is installed.
    static bool driverAvailable();

private:
    DatabaseLocation m_location;
    QString m_connectionName;
    QString m_error;
};
