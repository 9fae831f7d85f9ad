#include "labels/DrawBarcode.h"
#include "printing/PdfJob.h"
#include "printing/PrintTools.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Barcode pictures are printed to PDF at a printer's resolution, rasterised
// at that resolution and read back with zbar, as a scanner would read the label.
class TestBarcode : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void scansOnPaper_data();
    void scansOnPaper();
    void refusesWhatItCannotEncode_data();
    void refusesWhatItCannotEncode();
    void tooLongForTheLabelFailsTheJob();
};

void TestBarcode::initTestCase()
{
    SKIP_WITHOUT(u"zbarimg"_s, u"pdftoppm"_s);
}

void TestBarcode::scansOnPaper_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("scanned");
    QTest::addColumn<QString>("symbology");
    QTest::addColumn<int>("dpi");
    struct Row
    {
        const char *name;
        QString code, scanned, symbology;
    };
    const Row rows[] = {
        {"weight 1,5 kg", u"200000101500"_s, u"2000001015001"_s, u"EAN-13"_s},
        {"weight 99,999 kg", u"200000199999"_s, u"2000001999998"_s, u"EAN-13"_s},
        {"long product code", u"8690000123456"_s + u"01500"_s, u"869000012345601500"_s,
         u"Code 128"_s},
        {"eleven digits", u"20000010150"_s, u"20000010150"_s, u"Code 128"_s},
        {"letters", u"TAVRAN-42"_s, u"TAVRAN-42"_s, u"Code 128"_s},
    };
    for (const int dpi : {203, 300}) {
        for (const Row &row : rows) {
            QTest::addRow("%s at %d dpi", row.name, dpi)
                << row.code << row.scanned << row.symbology << dpi;
        }
    }
}

void TestBarcode::scansOnPaper()
{
    QFETCH(QString, code);
    QFETCH(QString, scanned);
    QFETCH(QString, symbology);
    QFETCH(int, dpi);

    const BarcodeResult barcode = DrawBarcode(code);
    QVERIFY2(barcode.ok(), qPrintable(barcode.reason));
    QCOMPARE(barcode.picture->symbology(), symbology);

    // Placed as on the package label, next to its weight box.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    PdfJob job(pdf, u"Etiket"_s, QSize(4600, 4800), dpi);
    const QSizeF size = barcode.picture->sizeTwips();
    QVERIFY(job.paintPicture(barcode.picture, 0, 3770, size.width(), size.height()));
    job.setDrawWidth(2);
    job.box(4400, 4500, 2000, 4000);
    QVERIFY(job.endDoc().printed);

    const QImage page = PrintTools::rasterize(pdf, dpi, dir.path());
    QVERIFY(!page.isNull());
    QCOMPARE(PrintTools::decodeBarcodes(page, dir.path()), scanned);

    // Through the bars above the box: only black and white, every bar a whole
    // number of modules of the same whole number of dots, all left of x = 2000.
    const int dots = barcode.picture->dotsPerModule(size.width(), dpi);
    QVERIFY(dots >= 1);
    if (symbology == u"EAN-13"_s)
        QVERIFY2(dots * 25.4 / dpi >= 0.25, "module narrower than 0.25 mm");
    const int boxLeft = qRound((2000.0 - 15) * dpi / 1440);
    int lastBlack = -1;
    const QString problem = PrintTools::barRowProblem(page, qRound(3880.0 * dpi / 1440), boxLeft,
                                                      dots, &lastBlack);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY2(lastBlack < boxLeft - dots * 5, "symbol reaches the weight box");
}

void TestBarcode::refusesWhatItCannotEncode_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << QString();
    QTest::newRow("Turkish letters") << u"ŞİŞ-12"_s;
    QTest::newRow("far too long") << QString(200, u'7');
}

void TestBarcode::refusesWhatItCannotEncode()
{
    QFETCH(QString, code);
    const BarcodeResult barcode = DrawBarcode(code);
    QVERIFY(!barcode.ok());
    QVERIFY(barcode.reason.startsWith(u"barkod «"_s + code + u"» oluşturulamadı: "_s));
}

void TestBarcode::tooLongForTheLabelFailsTheJob()
{
    // Encodable, but not at one dot per module in the label's width.
    const BarcodeResult barcode = DrawBarcode(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789"_s);
    QVERIFY2(barcode.ok(), qPrintable(barcode.reason));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    PdfJob job(pdf, u"Etiket"_s, QSize(4600, 4800), 203);
    const QSizeF size = barcode.picture->sizeTwips();
    QVERIFY(!job.paintPicture(barcode.picture, 0, 3770, size.width(), size.height()));
    const PrintJobResult result = job.endDoc();
    QVERIFY(!result.printed);
    QVERIFY(result.notice().startsWith(u"Etiket yazdırılamadı: barkod «ABCDEF"_s));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestBarcode)
#include "test_barcode.moc"
