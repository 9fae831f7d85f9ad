// Readings per second through the reading parser, the line assembly, the
// terminal text, and a loopback TCP link up to the live-weight caption.
#include "BenchStation.h"

#include "station/StationState.h"
#include "scale/ScaleFormat.h"
#include "scale/ScaleLineAssembler.h"
#include "scale/ScaleLink.h"
#include "scale/ScalePanel.h"
#include "scale/ScaleReading.h"
#include "scale/TerminalText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWidget>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void ParseReading(benchmark::State &state)
{
    const QString text = u"+0012.345 kg"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseScaleReading(text));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ParseReading);

void AssembleLines(benchmark::State &state)
{
    ScaleLineAssembler assembler;
    const QByteArray half1 = "+0012.3";
    const QByteArray half2 = "45 kg\r\n";
    for (auto _ : state) {
        assembler.feed(half1);
        benchmark::DoNotOptimize(assembler.feed(half2));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AssembleLines);

// One reading of each format from its bytes to its display text: the line
// assembly, then the format's parser. Arg: 0 classic, 1 st-gs, 2 sics,
// 3 auto reading st-gs, 4 auto reading classic.
void ReadFormat(benchmark::State &state)
{
    struct Case
    {
        ScaleFormat format;
        QByteArray line;
    };
    const std::array<Case, 5> cases{{{ScaleFormat::Classic, "+0012.345 kg\r\n"},
                                     {ScaleFormat::StGs, "ST,GS,+0012.345kg\r\n"},
                                     {ScaleFormat::Sics, "S S    12.345 kg\r\n"},
                                     {ScaleFormat::Auto, "ST,GS,+0012.345kg\r\n"},
                                     {ScaleFormat::Auto, "+0012.345 kg\r\n"}}};
    const Case &c = cases.at(std::size_t(state.range(0)));
    state.SetLabel(scaleFormatName(c.format).toStdString());
    ScaleLineAssembler assembler;
    for (auto _ : state) {
        const QStringList texts = assembler.feed(c.line);
        benchmark::DoNotOptimize(ReadScaleText(texts.first(), c.format));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReadFormat)->DenseRange(0, 4);

// A scale without line ends: readings complete when the next one starts.
void AssembleUnended(benchmark::State &state)
{
    ScaleLineAssembler assembler;
    const QByteArray reading = "+0012.345 kg";
    for (auto _ : state)
        benchmark::DoNotOptimize(assembler.feed(reading));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AssembleUnended);

void AppendTerminal(benchmark::State &state)
{
    TerminalText terminal;
    const QString line = u"+0012.345 kg\r\n"_s;
    for (auto _ : state)
        terminal.append(line);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AppendTerminal);

// One reading at a time from a loopback scale until Label4(0) shows it.
void LoopbackToLiveWeight(benchmark::State &state)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) {
        state.SkipWithError("cannot listen");
        return;
    }
    StationState station;
    QWidget window;
    QWidget frame(&window);
    QLabel label4(&window);
    ScalePanel panel(station, &window);
    panel.createControls(&frame, &window);
    QObject::connect(&panel, &ScalePanel::liveWeightChanged, &label4, &QLabel::setText);
    panel.Command6_Click(0);
    panel.scaleLink(0).ConnectScaleLink(u"127.0.0.1"_s, QString::number(server.serverPort()));
    if (!server.waitForNewConnection(5000)) {
        state.SkipWithError("no connection");
        return;
    }
    QTcpSocket *scale = server.nextPendingConnection();
    while (!panel.scaleLink(0).isConnected())
        QCoreApplication::processEvents();

    const std::array<QByteArray, 2> readings{"+0012.345 kg\r\n", "+0012.346 kg\r\n"};
    const std::array<QString, 2> captions{u"12,345 Kg "_s, u"12,346 Kg "_s};
    std::size_t i = 0;
    for (auto _ : state) {
        scale->write(readings[i]);
        scale->flush();
        QElapsedTimer timer;
        timer.start();
        while (label4.text() != captions[i] && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (label4.text() != captions[i]) {
            state.SkipWithError("reading did not arrive");
            break;
        }
        i = 1 - i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LoopbackToLiveWeight)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
