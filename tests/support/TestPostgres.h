#pragma once

#include "data/DatabaseLocation.h"

#include <QString>
#include <optional>

// The tests' private PostgreSQL server (tests/postgres/start-postgres.sh,
// started by CTest's "postgres_server" fixture). Each call makes a fresh,
// empty database on it, so tests never see each other's rows.
namespace TestPostgres {

// No value, and `why` says so, when the server is not running here; the
// test skips then.
std::optional<DatabaseLocation> freshDatabase(QString *why);

// Restarts, stops or starts the server in place (same port, same data);
// false when it did not do so.
bool restartServer();
bool stopServer();
bool startServer();

// Ends every connection to `location`'s database but the caller's own.
bool cutConnections(const DatabaseLocation &location);

} // namespace TestPostgres

// Skips the calling test when there is no server.
#define TAVRAN_REQUIRE_POSTGRES(location)                                                     \
    QString whyNoServer;                                                                      \
    const std::optional<DatabaseLocation> location = TestPostgres::freshDatabase(&whyNoServer); \
    if (!location)                                                                            \
        QSKIP(qPrintable(whyNoServer));
