// The plant's month page over 2,000 products, 1,000,000 stock movements and
// 200,000 packages, beside the report command's own sums over the same file
// and the small answer an open page polls every second.
#include "BenchStation.h"

#include "data/DemoStation.h"
#include "data/StationDatabase.h"
#include "office/ReportCommand.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"
#include "web/PlantPages.h"

#include <QDir>
#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Products = 2000;
constexpr int Movements = 1000000;
constexpr int Packages = 200000;
const ReportPeriod December(ReportPeriod::Kind::Month, QDate(2026, 12, 15));

// A year of packages at four stations, every other third booked to one of
// 500 customers; made once.
bool fillPackages(const QSqlDatabase &stok)
{
    QSqlQuery query(stok);
    if (!query.exec(u"SELECT COUNT(*) FROM Paket"_s) || !query.next())
        return false;
    if (query.value(0).toInt() >= Packages)
        return true;
    const bool ok =
        query.exec(u"CREATE TEMP TABLE IF NOT EXISTS names AS "
                   u"SELECT row_number() OVER (ORDER BY rowid) - 1 AS i, \"Ürün\" AS name FROM Stok"_s)
        && query.prepare(
            u"WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i + 1 < ?), "
            u"d(i, day) AS (SELECT i, date('2026-01-01', '+' || ((i * 37) % 365) || ' days') FROM c) "
            u"INSERT INTO Paket(Anahtar, Zaman, Istasyon, Personel, \"Ürün\", Kilo, Parti, Cari, Alsat, "
            u"Tarih) "
            u"SELECT 'b' || d.i, d.day || 'T08:00:00', 'Kesim ' || (d.i % 4), 'Personel', names.name, "
            u"((d.i * 131) % 50000) / 1000.0, d.day, "
            u"CASE WHEN d.i % 3 = 0 THEN NULL ELSE 'Cari ' || (d.i % 500) END, "
            u"CASE WHEN d.i % 3 = 0 THEN NULL ELSE (d.i / 3) % 2 END, "
            u"CASE WHEN d.i % 3 = 0 THEN NULL ELSE d.day END FROM d "
            u"JOIN names ON names.i = (d.i * 7919) % (SELECT COUNT(*) FROM names)"_s);
    if (ok)
        query.addBindValue(Packages);
    if (!ok || !query.exec()) {
        std::fprintf(stderr, "cannot add packages: %s\n", qPrintable(query.lastError().text()));
        return false;
    }
    return true;
}

QString pagesFolder()
{
    const QString folder =
        QDir::tempPath() + u"/tavran-bench-web-%1-%2-%3"_s.arg(Products).arg(Movements).arg(Packages);
    if (!DemoStation::create(folder, {0, Products}))
        return folder;
    StationDatabase stok(folder + u"/Stok.db"_s, Schema::File::Stok);
    fillBenchMovements(stok.database(), Movements);
    fillPackages(stok.database());
    return folder;
}

void get(benchmark::State &state, const QString &path, const QString &query)
{
    const PlantPages pages(pagesFolder(), {});
    const WebRequest request{path, QUrlQuery(query)};
    WebResponse response;
    for (auto _ : state)
        response = pages.respond(request);
    if (response.status != 200)
        state.SkipWithError("the page did not answer 200");
    state.counters["bytes"] = double(response.body.size());
}

void BM_MonthPage(benchmark::State &state)
{
    get(state, u"/ay"_s, u"ay=2026-12"_s);
}
BENCHMARK(BM_MonthPage)->Unit(benchmark::kMillisecond);

void BM_MonthReportCsv(benchmark::State &state)
{
    get(state, u"/csv/report"_s, u"month=2026-12"_s);
}
BENCHMARK(BM_MonthReportCsv)->Unit(benchmark::kMillisecond);

// The report's own query on an open connection: the floor the page stands on.
void BM_ReportSums(benchmark::State &state)
{
    StationDatabase stok(pagesFolder() + u"/Stok.db"_s, Schema::File::Stok);
    qsizetype rows = 0;
    for (auto _ : state)
        rows = ShipmentTotals::sum(stok.database(), 0, December).value_or(QList<ProductTotal>()).size();
    state.counters["products"] = double(rows);
}
BENCHMARK(BM_ReportSums)->Unit(benchmark::kMillisecond);

// `tavran report --month 2026-12 --csv`, opening the folder as the command does.
void BM_ReportCommandCsv(benchmark::State &state)
{
    const QString folder = pagesFolder();
    const QString csv = folder + u"/december.csv"_s;
    QString log;
    QTextStream out(&log);
    int code = 0;
    for (auto _ : state)
        code =
            ReportCommand::run({u"report"_s, u"--month"_s, u"2026-12"_s, u"--csv"_s, csv}, folder, out, out);
    if (code != 0)
        state.SkipWithError(qPrintable(log));
}
BENCHMARK(BM_ReportCommandCsv)->Unit(benchmark::kMillisecond);

void BM_Poll(benchmark::State &state)
{
    get(state, u"/veri"_s, {});
}
BENCHMARK(BM_Poll)->Unit(benchmark::kMillisecond);

void BM_LastPackages(benchmark::State &state)
{
    get(state, u"/son"_s, {});
}
BENCHMARK(BM_LastPackages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
