// One key press of the customer keyboard (the search in the accounts and
// the selection in the account list) on a station with 100,000 accounts.
#include "BenchStation.h"

#include "app/Form1.h"
#include "data/DemoStation.h"
#include "screens/CustomerScreen.h"
#include "screens/KeyboardLayouts.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Accounts = 100000;

struct Station
{
    TestStation folders;
    std::unique_ptr<Form1> window;
};

Station &station()
{
    static Station s = [] {
        Station made;
        if (!DemoStation::create(made.folders.stationDir(), {Accounts, 0}))
            qFatal("cannot create the benchmark station");
        made.window = std::make_unique<Form1>(made.folders.stationDir());
        made.window->show();
        made.window->girisFrm()->hide(); // logged in
        QApplication::processEvents();
        // The first search folds the titles once; later ones reuse them.
        made.window->customerScreen().pressKey(KeyboardLayouts::CustomerKeys::Sil);
        return made;
    }();
    return s;
}

// Arg: the key. A finds at the start of the list, Z near its end, Q nothing.
void BM_CustomerKeyPress(benchmark::State &state, bool repaint)
{
    CustomerScreen &screen = station().window->customerScreen();
    const int key = int(state.range(0));
    for (auto _ : state) {
        screen.pressKey(key);
        if (repaint)
            QApplication::processEvents();
        state.PauseTiming();
        screen.pressKey(KeyboardLayouts::CustomerKeys::Sil);
        if (repaint)
            QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["accounts"] = double(screen.list1()->count());
    state.SetLabel(screen.musTxt()->text().isEmpty() ? "" : "text left over");
}

} // namespace

BENCHMARK_CAPTURE(BM_CustomerKeyPress, search_and_select, false)
    ->Arg(49)->Arg(28)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CustomerKeyPress, with_repaint, true)
    ->Arg(49)->Arg(28)->Arg(30)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
