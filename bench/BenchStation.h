#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A big station folder for the benchmarks, made once per size and kept in
// the build tree: 100,000 accounts and 20,000 products take a few seconds.
// Settings go to a private folder so no benchmark touches the user's own.
QString benchStationFolder(int extraCustomers, int extraProducts);

class QSqlDatabase;
struct DatabaseLocation;

// A database `name` of its own on the tests' PostgreSQL server
// (tests/postgres/start-postgres.sh BUILD/postgres) or on the server of
// $TAVRAN_BENCH_DATABASE (its database name is used as given), made with
// the shared tables and filled by `fillSql` on the server on first use;
// no value without a server.
std::optional<DatabaseLocation> benchServerDatabase(const QString &name, const QStringList &fillSql);

// Fills StokHaraket of `stok` up to `count` movements over the products of
// Stok, a year of both directions, in one statement (a million take seconds).
bool fillBenchMovements(const QSqlDatabase &stok, int count);

// The process's peak resident memory so far, in megabytes.
double peakMemoryMb();

// Call first in main(), before the Qt application: offscreen unless a
// platform is set, private settings, quiet logs.
void prepareBenchEnvironment();

// Runs Google Benchmark; the rest of main() after the Qt application.
int runBenchmarks(int argc, char **argv);
