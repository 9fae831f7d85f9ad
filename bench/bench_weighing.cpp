// "Tartım Tamam" with the package label: booking the row, the preview and
// the label printed to a PDF file, from the press to the finished job.
#include "BenchStation.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "labels/PackagePanel.h"
#include "printing/CurrentPrinter.h"
#include "ui_support/CaptionLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_FinishProductWithLabel(benchmark::State &state)
{
    const QString folder = benchStationFolder(0, 0);
    Form1 window(folder);
    window.show();
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::tempPath() + u"/tavran-bench-label.pdf"_s);

    PackagePanel &panel = window.packagePanel();
    panel.paketYaz()->setChecked(true);
    RefreshDataControl(window.data().data4());
    for (auto _ : state) {
        state.PauseTiming();
        panel.label2(1)->setCaption(u"Dana Kuşbaşı"_s);
        panel.label4(2)->setCaption(u"12,345 Kg "_s);
        state.ResumeTiming();
        panel.finishProduct();
        state.PauseTiming();
        window.data().deleteAllRows(window.data().data3());
        state.ResumeTiming();
    }
    panel.paketYaz()->setChecked(false);
}
BENCHMARK(BM_FinishProductWithLabel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
