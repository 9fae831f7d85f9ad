#include "BenchStation.h"

#include "data/CentralDatabase.h"
#include "data/DatabaseLocation.h"
#include "data/DemoStation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QSqlError>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

QString benchStationFolder(int extraCustomers, int extraProducts)
{
    const QString folder = QDir::tempPath() + u"/tavran-bench-%1-%2"_s.arg(extraCustomers).arg(extraProducts);
    if (!QFileInfo::exists(folder + u"/Tavran.Txt"_s)) {
        QString error;
        if (!DemoStation::create(folder, {extraCustomers, extraProducts}, &error))
            std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(folder), qPrintable(error));
    }
    return folder;
}

std::optional<DatabaseLocation> benchServerDatabase(const QString &name, const QStringList &fillSql)
{
    QString url = qEnvironmentVariable("TAVRAN_BENCH_DATABASE");
    if (url.isEmpty()) {
        QFile port(QStringLiteral(TAVRAN_BINARY_DIR) + u"/postgres/port"_s);
        if (!port.open(QIODevice::ReadOnly))
            return std::nullopt;
        url = u"postgresql://tavran@127.0.0.1:%1/%2"_s.arg(QString::fromLatin1(port.readAll()).trimmed(), name);
    }
    auto location = DatabaseLocation::parse(url);
    if (!location || !location->central)
        return std::nullopt;
    DatabaseLocation admin = *location;
    admin.name = u"postgres"_s;
    CentralDatabase server(admin);
    if (!server.open())
        return std::nullopt;
    QSqlQuery query(server.database());
    query.prepare(u"SELECT 1 FROM pg_database WHERE datname = CAST(? AS text)"_s);
    query.addBindValue(location->name);
    if (query.exec() && query.next())
        return location; // filled by an earlier run
    if (!query.exec(u"CREATE DATABASE "_s + location->name))
        return std::nullopt;
    CentralDatabase fresh(*location);
    if (!fresh.initSchema())
        return std::nullopt;
    // Filling takes longer than any station statement may.
    QSqlQuery fill(fresh.database());
    if (!fill.exec(u"SET statement_timeout = 0"_s))
        return std::nullopt;
    for (const QString &sql : fillSql) {
        if (!fill.exec(sql)) {
            std::fprintf(stderr, "cannot fill %s: %s\n", qPrintable(name), qPrintable(fill.lastError().text()));
            return std::nullopt;
        }
    }
    return location;
}

bool fillBenchMovements(const QSqlDatabase &stok, int count)
{
    QSqlQuery query(stok);
    if (!query.exec(u"SELECT COUNT(*) FROM StokHaraket"_s) || !query.next())
        return false;
    const int have = query.value(0).toInt();
    if (have >= count)
        return true;
    // Spread over the products, the days of 2026 and both directions by
    // fixed strides, so every run makes the same file.
    const bool ok =
        query.exec(u"CREATE TEMP TABLE IF NOT EXISTS names AS "
                   u"SELECT row_number() OVER (ORDER BY rowid) - 1 AS i, \"Ürün\" AS name FROM Stok"_s)
        && query.prepare(
            u"WITH RECURSIVE c(i) AS (SELECT ? UNION ALL SELECT i + 1 FROM c WHERE i + 1 < ?) "
            u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) "
            u"SELECT date('2026-01-01', '+' || ((c.i * 37) % 365) || ' days'), names.name, "
            u"((c.i * 131) % 50000) / 1000.0, (c.i / 3) % 2 FROM c "
            u"JOIN names ON names.i = (c.i * 7919) % (SELECT COUNT(*) FROM names)"_s);
    if (ok) {
        query.addBindValue(have);
        query.addBindValue(count);
    }
    if (!ok || !query.exec()) {
        std::fprintf(stderr, "cannot add movements: %s\n", qPrintable(query.lastError().text()));
        return false;
    }
    return true;
}

double peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void prepareBenchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", (QDir::tempPath() + u"/tavran-bench-config"_s).toUtf8());
    qputenv("QT_LOGGING_RULES", "tavran.*=false");
}

int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
