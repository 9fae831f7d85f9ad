// Monthly shipment totals over 20,000 products and 500,000 stock movements:
// the sums alone, the whole build into the scratch table, and the summary's
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
#include <QRandomGenerator>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Products = 20000;
constexpr int Movements = 500000;
const ReportPeriod December(ReportPeriod::Kind::Month, QDate(2026, 12, 15));

// A year of movements over every product, both directions; made once.
QString reportsFolder()
{
    const QString folder = QDir::tempPath() + u"/tavran-bench-reports"_s;
    StationData data;
    if (!DemoStation::create(folder, {0, Products}))
        return folder;
    data.bind(folder);
    const QSqlDatabase stok = data.stok()->database();
    QSqlQuery count(u"SELECT COUNT(*) FROM StokHaraket"_s, stok);
    if (count.next() && count.value(0).toInt() >= Movements)
        return folder;

    QStringList names;
    QSqlQuery products(u"SELECT \"Ürün\" FROM Stok"_s, stok);
    while (products.next())
        names << products.value(0).toString();
    QSqlDatabase db = stok;
    db.transaction();
    QSqlQuery insert(stok);
    insert.prepare(u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)"_s);
    QRandomGenerator random(7);
    const QDate start(2026, 1, 1);
    for (int i = 0; i < Movements; ++i) {
        insert.bindValue(0, start.addDays(random.bounded(365)).toString(Qt::ISODate));
        insert.bindValue(1, names[random.bounded(int(names.size()))]);
        insert.bindValue(2, random.bounded(1, 50000) / 1000.0);
        insert.bindValue(3, random.bounded(2));
        if (!insert.exec()) {
            std::fprintf(stderr, "cannot add movements\n");
            break;
        }
    }
    db.commit();
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
