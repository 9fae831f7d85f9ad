// A login at the station's own password cost (it must stay well under a
// second), and one journal entry written and synced, as every label,
// slip and booking writes one.
#include "BenchStation.h"

#include "staff/PasswordHash.h"
#include "journal/JournalFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_PasswordCheckAtInteractiveCost(benchmark::State &state)
{
    PasswordHash::setCost(PasswordHash::interactive());
    const QString stored = PasswordHash::make(u"4711"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(PasswordHash::matches(stored, u"4711"_s));
}
BENCHMARK(BM_PasswordCheckAtInteractiveCost)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_JournalEntryWritten(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = JournalFile::path(dir.path());
    JournalEntry entry;
    entry.station = u"Kesimhane 2"_s;
    entry.staff = u"Ahmet Yılmaz"_s;
    entry.kind = JournalKind::Label;
    entry.product = u"Dana Kuşbaşı"_s;
    entry.kilograms = 1.5;
    entry.barcode = u"200000101500"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(JournalFile::append(file, entry));
}
BENCHMARK(BM_JournalEntryWritten)->Unit(benchmark::kMillisecond);

// Every link of a year's journal at a busy station checked.
void BM_JournalVerified(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = JournalFile::path(dir.path());
    JournalEntry entry;
    entry.kind = JournalKind::Label;
    entry.product = u"Dana Kuşbaşı"_s;
    entry.kilograms = 1.5;
    for (int i = 0; i < state.range(0); ++i)
        JournalFile::append(file, entry);
    for (auto _ : state) {
        JournalFile::Verdict verdict;
        benchmark::DoNotOptimize(JournalFile::verify(file, verdict));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_JournalVerified)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
