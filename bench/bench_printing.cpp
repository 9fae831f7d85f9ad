// Cost of one barcode picture and of one full page sent to PDF.
#include "BenchStation.h"

#include "labels/DrawBarcode.h"
#include "labels/PackageLabel.h"
#include "printing/PdfJob.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A package label as the station prints it: title, rules, oval mark, dated
// lines, barcode and weight box.
void drawLabel(PrinterSurface &page, const std::shared_ptr<const BarcodePicture> &barcode)
{
    const int w = page.width();
    page.setFontSize(18);
    page.setFontCharset(162);
    page.setCurrentY(1060);
    page.line(60, page.currentY(), w - 60, page.currentY());
    page.setCurrentY(page.currentY() + 60);
    page.setCurrentX((w - page.textWidth(u"DANA KIYMA"_s)) / 2);
    page.print(u"DANA KIYMA"_s);
    page.line(60, page.currentY(), w - 60, page.currentY());
    page.setFontSize(16);
    page.setDrawWidth(2);
    page.circle(2000, 2100, 800, 0.5);
    page.setFontSize(12);
    page.setCurrentX(1470);
    page.setCurrentY(2000);
    page.print(u"TR 34-0012 EC"_s);
    page.print();
    const QString items[][2] = {{u"Üretim Tarihi"_s, u": 07.12.2026"_s},
                                {u"Son Tüketim Tarihi"_s, u": 17.12.2026"_s},
                                {u"Menşeği Ülke"_s, u": TÜRKİYE"_s}};
    for (const auto &item : items) {
        page.setCurrentX(60);
        page.printStay(item[0]);
        page.setCurrentX(2415);
        page.print(item[1]);
    }
    const QSizeF size = barcode->sizeTwips();
    page.paintPicture(barcode, 0, 3770, size.width(), size.height());
    page.setCurrentX(3000);
    page.print(u"Ağırlık"_s);
    page.box(4400, 4500, 2000, 4000);
    page.setFontSize(22);
    page.setCurrentX(4350 - page.textWidth(u"1,500 Kg "_s));
    page.print(u"1,500 Kg "_s);
}

void BM_BarcodePicture(benchmark::State &state)
{
    QImage image(282, 102, QImage::Format_RGB32); // 1980 × 720 twips at 203 dpi
    for (auto _ : state) {
        const BarcodeResult barcode = DrawBarcode(u"200000101500"_s);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(203.0 / 1440, 203.0 / 1440);
        barcode.picture->paint(painter, QRectF(QPointF(0, 0), barcode.picture->sizeTwips()));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_BarcodePicture)->Unit(benchmark::kMicrosecond);

void BM_LabelPageToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"label.pdf"_s);
    for (auto _ : state) {
        PdfJob label(path, u"Etiket"_s, QSize(4600, 4800), 203);
        drawLabel(label, DrawBarcode(u"200000101500"_s).picture);
        if (!label.endDoc().printed)
            state.SkipWithError("label not printed");
    }
}
BENCHMARK(BM_LabelPageToPdf)->Unit(benchmark::kMillisecond);

// The station's own label, drawn and sent to PDF, with each barcode kind:
// 0 EAN-13 (the default), 1 GS1-128, 2 GS1 DataMatrix, with lot and origins.
void BM_PackageLabelToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"label.pdf"_s);
    PackageLabel label;
    label.product = u"Dana Kıyma"_s;
    label.weightText = u"1,500 Kg "_s;
    label.barkod = u"2000001"_s;
    label.headerLines = {u"KORVEL ET"_s, {}, {}, {}, {}, {}, u"TR 34-0012 EC"_s, u"10"_s};
    label.today = QDate(2026, 12, 7);
    label.gtin = u"8690000123452"_s;
    label.lot = u"L-2026/12"_s;
    label.barcode.kind = LabelBarcodeSettings::Kind(state.range(0));
    label.barcode.approvalNumber = u"TR34-0012"_s;
    label.barcode.approvalCountry = u"792"_s;
    label.barcode.born = u"792"_s;
    for (auto _ : state) {
        PdfJob job(path, u"Etiket"_s, label.pageTwips(), 203);
        label.draw(job, PackageLabel::Target::Page);
        if (!job.endDoc().printed)
            state.SkipWithError("label not printed");
    }
}
BENCHMARK(BM_PackageLabelToPdf)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SlipRollPageToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"slip.pdf"_s);
    const auto products = state.range(0);
    for (auto _ : state) {
        PdfJob slip(path, u"Sipariş Fişi"_s, QSize(4535, 3000), 203);
        slip.setFontSize(9.75);
        slip.setFontBold(true);
        for (int64_t i = 0; i < products; ++i) {
            const QString grams = u"%1"_s.arg(qlonglong(i % 100000), 5, 10, QChar(u'0'));
            const BarcodeResult barcode = DrawBarcode(u"2000001"_s + grams);
            slip.line(60, slip.currentY(), slip.width() - 60, slip.currentY());
            slip.setCurrentX(60);
            slip.print(u"Dana Kıyma"_s);
            slip.setCurrentX(slip.width() - slip.textWidth(u"1,500 Kg"_s) - 120);
            slip.print(u"1,500 Kg"_s);
            slip.paintPicture(barcode.picture, 60, slip.currentY(), 1980, 720);
            slip.setCurrentY(slip.currentY() + 720);
            if (slip.currentY() + 1520 > slip.height())
                slip.setHeight(slip.height() + 1520);
        }
        if (!slip.endDoc().printed)
            state.SkipWithError("slip not printed");
    }
}
BENCHMARK(BM_SlipRollPageToPdf)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
