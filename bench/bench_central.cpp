// The station on a central PostgreSQL server: start-up with 100,000
// accounts and 20,000 products, booking a 20-row slip next to 1,000,000
// movements, and a month's totals over them. The server is the tests' own
// (tests/postgres/start-postgres.sh BUILD/postgres) or the one named by
// $TAVRAN_BENCH_DATABASE; the benchmark fills a database of its own there.
#include "BenchStation.h"

#include "data/CentralDatabase.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"
#include "weighing/CentralBooking.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t BenchDatabase[] = u"tavran_bench";

// Made once per server; filled on the server itself, so it takes seconds.
constexpr const char16_t *FillSql[] = {
    u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") SELECT i::text, 'Cari ' || i, "
    u"CASE WHEN i % 4 = 0 THEN 'Toptan' ELSE 'Müşteri' END FROM generate_series(1, 100000) i",
    u"INSERT INTO \"Stok\"(\"Barkod\", \"Ürün\", \"Birim\") SELECT (2000000 + i)::text, "
    u"'Ürün ' || i, 'Kg' FROM generate_series(1, 20000) i",
    u"INSERT INTO \"StokHaraket\"(\"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\") "
    u"SELECT to_char(date '2026-01-01' + (i % 365), 'YYYY-MM-DD'), 'Ürün ' || (i % 20000 + 1), "
    u"(i % 97) / 10.0, i % 2 FROM generate_series(1, 1000000) i",
    u"ANALYZE",
};
const std::optional<DatabaseLocation> &server()
{
    static const std::optional<DatabaseLocation> location = [] {
        QStringList fill;
        for (const char16_t *sql : FillSql)
            fill << QString::fromUtf16(sql);
        return benchServerDatabase(QString::fromUtf16(BenchDatabase), fill);
    }();
    return location;
}

void BM_StartUpFromServer(benchmark::State &state)
{
    if (!server()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    QTemporaryDir folder;
    for (auto _ : state) {
        // Until the lists read off the server are kept and listed.
        StationData data;
        QEventLoop refreshed;
        QObject::connect(&data, &StationData::sharedTablesRefreshed, &refreshed, &QEventLoop::quit);
        data.bind(folder.path(), server()->display());
        refreshed.exec();
        for (int number : {1, 4}) {
            RefreshDataControl(data.control(number));
            Recordset *records = data.control(number).recordset();
            benchmark::DoNotOptimize(records->columnTexts(1));
        }
    }
}
BENCHMARK(BM_StartUpFromServer)->Unit(benchmark::kMillisecond);

void BM_BookTwentyRowSlip(benchmark::State &state)
{
    if (!server()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    QTemporaryDir folder;
    StationDatabase tavran(folder.filePath(u"Tavran.db"_s), Schema::File::Tavran);
    CentralDatabase central(*server());
    QSqlQuery insert(tavran.database());
    insert.prepare(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES (?, ?)"_s);
    for (auto _ : state) {
        state.PauseTiming();
        for (int row = 0; row < 20; ++row) {
            insert.bindValue(0, u"Ürün %1"_s.arg(row + 1));
            insert.bindValue(1, 1.5 + row);
            insert.exec();
        }
        state.ResumeTiming();
        if (CentralBooking::book(central, tavran, QDate(2027, 6, 1), 0).booked != 20)
            state.SkipWithError("booking failed");
    }
}
BENCHMARK(BM_BookTwentyRowSlip)->Unit(benchmark::kMillisecond);

void BM_MonthlyReportFromServer(benchmark::State &state)
{
    if (!server()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    CentralDatabase central(*server());
    central.open();
    const ReportPeriod month(ReportPeriod::Kind::Month, QDate(2026, 6, 15));
    for (auto _ : state)
        benchmark::DoNotOptimize(ShipmentTotals::sum(central.database(), 1, month));
}
BENCHMARK(BM_MonthlyReportFromServer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
