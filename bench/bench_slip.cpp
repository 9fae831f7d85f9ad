// The order slip for an order of 20 rows: the preview on the screen (sums
// rebuilt, slip drawn with its barcodes), the printed slip through the
// station's printer into a PDF file with the booking, the slip's page alone
// into a PDF, and the booking alone beside a history of a million movements.
// Peak memory is the process's: run the booking sizes one at a time, e.g.
//   bench_slip --benchmark_filter='BM_BookSlip/1000000'
#include "BenchStation.h"

#include "app/Form1.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "weighing/OrderPanel.h"
#include "weighing/OrderRows.h"
#include "weighing/OrderSlip.h"
#include "weighing/StockBooking.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int OrderRowCount = 20;

const QStringList Products = {u"Dana Kuşbaşı"_s, u"Kuzu But"_s, u"Sucuk"_s, u"Dana Kıyma"_s,
                              u"Hindi Göğüs"_s};

double kiloOf(int row)
{
    return 0.5 + row * 1.375;
}

// A window over a station of its own (the shared benchmark folder is left
// alone) with an order of 20 rows.
class SlipStation
{
public:
    SlipStation()
    {
        DemoStation::create(m_dir.path());
        m_window = std::make_unique<Form1>(m_dir.path());
        m_window->show();
        Recordset *rows = m_window->data().data3().recordset();
        for (int i = 0; i < OrderRowCount; ++i)
            OrderRows::addFinishedProduct(*rows, Products[i % Products.size()], kiloOf(i), u"2000001"_s);
        RefreshDataControl(m_window->data().data3());
    }
    ~SlipStation() { m_window->data().deleteAllRows(m_window->data().data3()); }

    Form1 &window() { return *m_window; }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Puts the order back to not booked and drops the movements of the last print.
    void unbook()
    {
        QSqlQuery(m_window->data().tavran()->database()).exec(u"UPDATE Tart SET Tamam = 1"_s);
        QSqlQuery(m_window->data().stok()->database()).exec(u"DELETE FROM StokHaraket"_s);
        RefreshDataControl(m_window->data().data5());
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_window;
};

void BM_SlipPreview(benchmark::State &state)
{
    SlipStation station;
    OrderPanel &panel = station.window().orderPanel();
    for (auto _ : state) {
        panel.command2(2)->setText(u"Fiş Yaz"_s);
        panel.previewSlip();
    }
    state.counters["rows"] = OrderRowCount;
}
BENCHMARK(BM_SlipPreview)->Unit(benchmark::kMillisecond);

void BM_SlipPrintAndBookToPdf(benchmark::State &state)
{
    SlipStation station;
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(station.path(u"slip.pdf"_s));
    OrderPanel &panel = station.window().orderPanel();
    panel.command2(2)->setText(u"Fiş Yaz"_s);
    panel.previewSlip();
    for (auto _ : state) {
        state.PauseTiming();
        station.unbook();
        panel.command2(2)->setText(u"Yazdır"_s);
        state.ResumeTiming();
        panel.printSlip();
    }
    printer.setOutputFileName(QString());
    state.counters["rows"] = OrderRowCount;
}
BENCHMARK(BM_SlipPrintAndBookToPdf)->Unit(benchmark::kMillisecond);

void BM_SlipPageToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    OrderSlip slip;
    slip.headerLines = {u"KORVEL ET"_s, u"Sanayi Cad. 12"_s, u"Ankara"_s, {}, {}, {}, {}, {}};
    slip.customer = u"Ali'nin Kasabı"_s;
    slip.printedAt = QDateTime::currentDateTime();
    for (int i = 0; i < OrderRowCount; ++i)
        slip.rows.append({Products[i % Products.size()], kiloOf(i), u"2000001"_s});
    for (const QString &product : Products)
        slip.sums.append({product, 30.0, {}});
    const QString path = dir.filePath(u"slip.pdf"_s);
    for (auto _ : state) {
        PdfJob job(path, u"Fiş"_s, QSize(4535, 8000));
        slip.draw(job, OrderSlip::Target::Page);
        benchmark::DoNotOptimize(job.endDoc().printed);
    }
    state.counters["rows"] = OrderRowCount;
}
BENCHMARK(BM_SlipPageToPdf)->Unit(benchmark::kMillisecond);

// Books a 20-row order into a station holding `state.range(0)` movements,
// then refreshes what the screens show, as "Yazdır" does.
void BM_BookSlip(benchmark::State &state)
{
    const int history = int(state.range(0));
    const QString folder = QDir::tempPath() + u"/tavran-bench-booking-%1"_s.arg(history);
    DemoStation::create(folder);
    StationData data;
    data.bind(folder);
    fillBenchMovements(data.stok()->database(), history);
    for (int number = 1; number <= 6; ++number)
        RefreshDataControl(data.control(number));
    data.deleteAllRows(data.data3());
    for (int i = 0; i < OrderRowCount; ++i)
        OrderRows::addFinishedProduct(*data.data3().recordset(), Products[i % Products.size()],
                                      kiloOf(i), u"2000001"_s);
    QSqlQuery reset(data.stok()->database());
    QSqlQuery unbook(data.tavran()->database());
    int booked = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reset.exec(u"DELETE FROM StokHaraket WHERE rowid > %1"_s.arg(history));
        unbook.exec(u"UPDATE Tart SET Tamam = 1"_s);
        state.ResumeTiming();
        booked = StockBooking::book(*data.stok(), *data.tavran(), QDate(2026, 12, 8), 0).booked;
        RefreshDataControl(data.data3());
        RefreshDataControl(data.data5());
    }
    data.deleteAllRows(data.data3());
    state.counters["booked"] = booked;
    state.counters["peak_MB"] = peakMemoryMb();
}
BENCHMARK(BM_BookSlip)->Arg(0)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
