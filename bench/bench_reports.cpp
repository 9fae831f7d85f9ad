// Monthly shipment totals over 2,000 products and 1,000,000 stock movements:
// the sums alone beside the floor any program gets from a plain GROUP BY over
// the same file, the whole build into the scratch table, and the summary's
// pages drawn from the result.
#include "BenchStation.h"

#include "data/DemoStation.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "printing/PrinterSurface.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentSummary.h"
#include "reports/ShipmentTotals.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Products = 2000;
constexpr int Movements = 1000000;
const ReportPeriod December(ReportPeriod::Kind::Month, QDate(2026, 12, 15));

// A year of movements over every product, both directions; made once.
QString reportsFolder()
{
    const QString folder = QDir::tempPath() + u"/tavran-bench-reports-%1-%2"_s.arg(Products).arg(Movements);
    if (!DemoStation::create(folder, {0, Products}))
        return folder;
    StationData data;
    data.bind(folder);
    fillBenchMovements(data.stok()->database(), Movements);
    return folder;
}

void BM_MonthlySums(benchmark::State &state)
{
    StationData data;
    data.bind(reportsFolder());
    const QSqlDatabase stok = data.stok()->database();
    qsizetype rows = 0;
    for (auto _ : state)
        rows = ShipmentTotals::sum(stok, 0, December).value_or(QList<ProductTotal>()).size();
    state.counters["products"] = double(rows);
}
BENCHMARK(BM_MonthlySums)->Unit(benchmark::kMillisecond);

// The floor: the month's sums per stored name, as the sqlite3 shell would ask.
void BM_PlainGroupByFloor(benchmark::State &state)
{
    StationData data;
    data.bind(reportsFolder());
    QSqlQuery query(data.stok()->database());
    query.setForwardOnly(true);
    query.prepare(u"SELECT \"Ürün\", SUM(Miktar) FROM StokHaraket WHERE Alsat = ? "
                  u"AND Tarih >= ? AND Tarih <= ? GROUP BY \"Ürün\""_s);
    int rows = 0;
    for (auto _ : state) {
        query.addBindValue(0);
        query.addBindValue(December.firstText());
        query.addBindValue(December.lastText());
        query.exec();
        for (rows = 0; query.next(); ++rows)
            benchmark::DoNotOptimize(query.value(1).toDouble());
    }
    state.counters["products"] = rows;
}
BENCHMARK(BM_PlainGroupByFloor)->Unit(benchmark::kMillisecond);

void BM_MonthlyTotalsIntoScratchTable(benchmark::State &state)
{
    StationData data;
    data.bind(reportsFolder());
    for (auto _ : state)
        benchmark::DoNotOptimize(ShipmentTotals::build(data, 0, December));
    state.counters["products"] = double(data.data6().recordset()->recordCount());
}
BENCHMARK(BM_MonthlyTotalsIntoScratchTable)->Unit(benchmark::kMillisecond);

void BM_MonthlySummaryPages(benchmark::State &state)
{
    StationData data;
    data.bind(reportsFolder());
    const auto total = ShipmentTotals::build(data, 0, December);
    const ShipmentSummary summary(December, u"KORVEL ET"_s,
                                  ShipmentTotals::totalCaption(total.value_or(0)),
                                  ShipmentTotals::read(*data.data6().recordset()));
    size_t pageCount = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<PrinterSurface>> pages;
        summary.draw([&]() -> PrinterSurface & {
            pages.push_back(std::make_unique<PrinterSurface>(QSize(11906, 16838)));
            return *pages.back();
        });
        pageCount = pages.size();
    }
    state.counters["pages"] = double(pageCount);
}
BENCHMARK(BM_MonthlySummaryPages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(u"tavran.reports.debug=false"_s); // one line per build
    return runBenchmarks(argc, argv);
}
