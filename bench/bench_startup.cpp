// Start-up to a filled window on a big station, and a find-first over the
// accounts the way the customer keyboard searches.
#include "BenchStation.h"

#include "app/Form1.h"
#include "data/Criteria.h"
#include "data/StationData.h"
#include "ui_support/ListBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Customers = 100000;
constexpr int Products = 20000;

void BM_StartupToFilledWindow(benchmark::State &state)
{
    const QString folder = benchStationFolder(Customers, Products);
    for (auto _ : state) {
        Form1 window(folder);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.findChild<ListBox *>(u"List1"_s)->count());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFilledWindow)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_FindFirstOverAccounts(benchmark::State &state)
{
    const QString folder = benchStationFolder(Customers, Products);
    StationData data;
    data.bind(folder);
    RefreshDataControl(data.data1());
    Recordset *accounts = data.data1().recordset();
    // Alternating searches, so no cache of the last answer can help.
    const QStringList texts = {u"Zafer Zafer"_s, u"Işıklar İ*Kebap"_s, u"ünal t"_s, u"Q"_s};
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            accounts->findFirst(Criteria::likePrefix(u"Unvan"_s, texts[i++ % texts.size()])));
    }
    state.counters["accounts"] = accounts->recordCount();
}
BENCHMARK(BM_FindFirstOverAccounts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
