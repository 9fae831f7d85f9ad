#include "printing/PdfJob.h"
#include "printing/PrinterSurface.h"
#include "printing/PrintTools.h"

#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Bounding box of the ink in an image, in twips at `dpi`.
QRectF inkTwips(const QImage &image, qreal dpi)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    const qreal twips = 1440.0 / dpi;
    return QRectF(left * twips, top * twips, (right + 1 - left) * twips,
                  (bottom + 1 - top) * twips);
}

} // namespace

class TestPrinterSurface : public QObject
{
    Q_OBJECT
private slots:
    void printsAtThePositionAndAdvances();
    void textLandsWhereItWasMeasured_data();
    void textLandsWhereItWasMeasured();
    void turkishTextWidthHasArialMetrics();
    void ovalOfAspectHalfIsTwiceAsWide();
    void rollPageGrowsToOnePage();
    void pdfCarriesTurkishText();
    void abandonedJobSaysWhyAndPrintsNothing();
};

void TestPrinterSurface::printsAtThePositionAndAdvances()
{
    PrinterSurface page(QSize(4535, 6000));
    page.setFontSize(12);
    const qreal line = page.textHeight(u"İİ"_s);
    QVERIFY(line > 240 && line < 300); // 12 points is 240 twips, plus the face's gaps

    page.setCurrentX(60);
    page.setCurrentY(1000);
    page.printStay(u"Üretim Tarihi"_s);
    QCOMPARE(page.currentX(), 60 + page.textWidth(u"Üretim Tarihi"_s));
    QCOMPARE(page.currentY(), 1000.0);
    page.setCurrentX(2415);
    page.print(u": 07.12.2026"_s);
    QCOMPARE(page.currentX(), 0.0);
    QCOMPARE(page.currentY(), 1000 + line);
    page.print(); // empty print ends the line, draws nothing
    QCOMPARE(page.currentY(), 1000 + 2 * line);
    page.setFontSize(22);
    page.print(u"1,500 Kg "_s);
    QCOMPARE(page.currentY(), 1000 + 2 * line + page.textHeight());

    const QList<PageOp> &ops = page.recording().ops();
    QCOMPARE(ops.size(), 3);
    QCOMPARE(ops[0].at, QPointF(60, 1000));
    QCOMPARE(ops[1].at, QPointF(2415, 1000));
    QCOMPARE(ops[2].at, QPointF(0, 1000 + 2 * line));
    QCOMPARE(ops[2].font.pixelSize(), 440);

    // Lines and circles leave the position alone.
    page.setCurrentX(100);
    page.setCurrentY(200);
    page.line(60, 300, 4475, 300);
    page.circle(2000, 2100, 800, 0.5);
    page.box(4400, 4500, 2000, 4000);
    QCOMPARE(page.currentX(), 100.0);
    QCOMPARE(page.currentY(), 200.0);
    QCOMPARE(page.recording().ops().last().rect, QRectF(2000, 4000, 2400, 500));
}

void TestPrinterSurface::textLandsWhereItWasMeasured_data()
{
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<bool>("bold");
    QTest::newRow("screen, Arial") << 96.0 << u"Arial"_s << false;
    QTest::newRow("label printer, Arial") << 203.0 << u"Arial"_s << false;
    QTest::newRow("laser, Times New Roman bold") << 600.0 << u"Times New Roman"_s << true;
}

void TestPrinterSurface::textLandsWhereItWasMeasured()
{
    QFETCH(qreal, dpi);
    QFETCH(QString, fontName);
    QFETCH(bool, bold);
    // A centred line, as the slip and label centre their titles: the ink sits
    // in the middle of the page and inside the measured box, at any resolution.
    const QString title = u"Sipariş Fişidir"_s;
    PrinterSurface page(QSize(4535, 1200));
    page.setFontName(fontName);
    page.setFontBold(bold);
    page.setFontSize(14);
    page.setCurrentY(300);
    const qreal width = page.textWidth(title);
    page.setCurrentX((page.width() - width) / 2);
    page.print(title);

    const QRectF ink = inkTwips(page.toImage(dpi), dpi);
    const qreal slack = 40; // side bearings and a pixel of the coarsest device
    QVERIFY2(qAbs(ink.left() - (page.width() - width) / 2) < slack,
             qPrintable(u"left %1"_s.arg(ink.left())));
    QVERIFY2(qAbs(ink.right() - (page.width() + width) / 2) < slack,
             qPrintable(u"right %1"_s.arg(ink.right())));
    QVERIFY(ink.top() >= 300 - 1440 / dpi);
    QVERIFY(ink.bottom() <= 300 + page.textHeight() + 1440 / dpi);
}

void TestPrinterSurface::turkishTextWidthHasArialMetrics()
{
    PrinterSurface page(QSize(4535, 1000));
    page.setFontName(u"Arial"_s);
    QCOMPARE(QFontInfo(page.font()).family(), u"Liberation Sans"_s);
    page.setFontSize(12);
    // Arial's advances in 1/2048 em: M 1706, e n ğ 1139, ş k 1024, i l 455,
    // blank 569, Ü 1479; 240 twips to the em at 12 points.
    const QString origin = u"Menşeği Ülke"_s;
    const qreal expected = 12407.0 / 2048 * 240;
    QVERIFY2(qAbs(page.textWidth(origin) - expected) < 1.5,
             qPrintable(QString::number(page.textWidth(origin))));
    for (const QChar c : u"şŞğĞıİüÜöÖçÇ"_s)
        QVERIFY(QFontMetricsF(page.font()).inFont(c));
    page.setFontSize(24);
    QVERIFY(qAbs(page.textWidth(origin) - 2 * expected) < 3);
}

void TestPrinterSurface::ovalOfAspectHalfIsTwiceAsWide()
{
    PrinterSurface page(QSize(4535, 4000));
    page.setDrawWidth(2);
    page.circle(2000, 2100, 800, 0.5);
    const QRectF ink = inkTwips(page.toImage(300), 300);
    const qreal pen = 2 * PrinterSurface::TwipsPerDrawWidth;
    QVERIFY2(qAbs(ink.width() - (1600 + pen)) < 12, qPrintable(QString::number(ink.width())));
    QVERIFY2(qAbs(ink.height() - (800 + pen)) < 12, qPrintable(QString::number(ink.height())));
    QVERIFY(qAbs(ink.center().x() - 2000) < 10);
    QVERIFY(qAbs(ink.center().y() - 2100) < 10);

    // Above 1 the radius is the vertical half-axis.
    PrinterSurface tall(QSize(4535, 4000));
    tall.circle(2000, 2000, 800, 2);
    QCOMPARE(tall.recording().ops().last().rect, QRectF(1600, 1200, 800, 1600));
}

void TestPrinterSurface::rollPageGrowsToOnePage()
{
    SKIP_WITHOUT(u"pdfinfo"_s, u"pdftotext"_s);
    // Per-product lines of a slip on 80 mm roll paper: the page grows by 570
    // whenever the next line would pass the bottom.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"slip.pdf"_s);
    PdfJob slip(pdf, u"Sipariş Fişi"_s, QSize(4535, 3000));
    slip.setFontSize(9.75);
    for (int product = 1; product <= 30; ++product) {
        slip.setCurrentX(60);
        slip.print(u"Ürün %1"_s.arg(product));
        if (slip.currentY() + 570 > slip.height())
            slip.setHeight(slip.height() + 570);
    }
    slip.print(u"Sipariş Fişidir."_s);
    const int finalHeight = slip.height();
    QVERIFY(finalHeight > 3000);
    QVERIFY(slip.endDoc().printed);

    QCOMPARE(PrintTools::pdfPages(pdf), 1);
    const QSizeF size = PrintTools::pdfPageSize(pdf);
    QVERIFY(qAbs(size.width() - 4535 / 20.0) < 0.5);
    QVERIFY2(qAbs(size.height() - finalHeight / 20.0) < 0.5,
             qPrintable(QString::number(size.height())));
    // Lines drawn after the page first grew are on it.
    QVERIFY(PrintTools::pdfText(pdf).contains(u"Ürün 30"_s));
}

void TestPrinterSurface::pdfCarriesTurkishText()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    PdfJob label(pdf, u"Etiket"_s, QSize(4600, 4800), 203);
    label.setFontSize(12);
    label.setFontCharset(162);
    label.setCurrentX(60);
    label.printStay(u"Menşeği Ülke"_s);
    label.setCurrentX(2415);
    label.print(u": TÜRKİYE"_s);
    label.setFontName(u"Times New Roman"_s);
    label.setFontBold(true);
    label.print(u"Sipariş Fişidir"_s);
    QVERIFY(label.endDoc().printed);
    const QString text = PrintTools::pdfText(pdf);
    QVERIFY2(text.contains(u"Menşeği Ülke"_s), qPrintable(text));
    QVERIFY(text.contains(u": TÜRKİYE"_s));
    QVERIFY(text.contains(u"Sipariş Fişidir"_s));
}

void TestPrinterSurface::abandonedJobSaysWhyAndPrintsNothing()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    {
        PdfJob label(pdf, u"Etiket"_s, QSize(4600, 4800));
        label.print(u"Ağırlık"_s);
        const PrintJobResult result = label.killDoc(u"ağırlık 100 kg veya üstü"_s);
        QVERIFY(!result.printed);
        QCOMPARE(result.notice(), u"Etiket yazdırılamadı: ağırlık 100 kg veya üstü"_s);
    }
    {
        // A failure while drawing abandons the job at EndDoc.
        PdfJob label(pdf, u"Etiket"_s, QSize(4600, 4800));
        QVERIFY(!label.paintPicture(nullptr, 0, 3770, 1980, 720));
        QVERIFY(!label.endDoc().printed);
    }
    {
        PdfJob unwritable(dir.filePath(u"no/such/folder/slip.pdf"_s), u"Sipariş Fişi"_s,
                          QSize(4535, 3000));
        unwritable.print(u"Sayın;"_s);
        const PrintJobResult result = unwritable.endDoc();
        QVERIFY(!result.printed);
        QVERIFY(result.notice().startsWith(u"Sipariş Fişi yazdırılamadı: "_s));
    }
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPrinterSurface)
#include "test_printer_surface.moc"
