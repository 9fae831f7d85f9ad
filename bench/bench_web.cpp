// The web pages under load: requests per second for the today page with 50
// clients at once on the loopback, and the server's resident memory after
// 100,000 requests. The server is the real `tavran serve` over a demo
// station; the clients are this process's own sockets.
#include "BenchStation.h"

#include "support/ParallelClients.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"

#include "data/DemoStation.h"
#include "station/SettingsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

ServeProcess *server = nullptr;
double rssAtStart = 0;
const QByteArray Token = "bench-token-0123456789abcdef";
const QByteArray TodayPage = "GET / HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + Token + "\r\n\r\n";
constexpr int Clients = 50;

// The server's resident memory now, in megabytes.
double serverRssMb()
{
    QFile status(u"/proc/%1/status"_s.arg(server->pid()));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void BM_TodayPage50Clients(benchmark::State &state)
{
    const int perClient = 40;
    for (auto _ : state) {
        const ParallelClients::Outcome outcome = ParallelClients::run(server->port(), TodayPage, Clients, perClient, 120000);
        if (outcome.ok != Clients * perClient)
            state.SkipWithError("not every request was answered with 200");
    }
    state.SetItemsProcessed(state.iterations() * Clients * perClient);
}
BENCHMARK(BM_TodayPage50Clients)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_MemoryAfter100kRequests(benchmark::State &state)
{
    const double before = serverRssMb();
    for (auto _ : state) {
        const ParallelClients::Outcome outcome = ParallelClients::run(server->port(), TodayPage, Clients, 2000, 600000);
        if (outcome.ok != 100000)
            state.SkipWithError("not every request was answered with 200");
    }
    state.counters["rss_at_start_MB"] = rssAtStart;
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = serverRssMb();
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_MemoryAfter100kRequests)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QCoreApplication app(argc, argv);
    TestStation station;
    if (!DemoStation::create(station.stationDir())
        || !SaveAppSetting(u"Properties"_s, u"WebToken"_s, QString::fromLatin1(Token)))
        return 1;
    ServeProcess serve;
    if (!serve.start({u"--folder"_s, station.stationDir()}))
        return 1;
    server = &serve;
    rssAtStart = serverRssMb();
    const int code = runBenchmarks(argc, argv);
    server = nullptr;
    return code == 0 && serve.stop() == 0 ? 0 : 1;
}
