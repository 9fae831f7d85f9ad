#include "printing/PdfJob.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintTools.h"
#include "weighing/OrderSlip.h"
#include "WeighingTestTools.h"

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize RollPage(4535, 8000);

OrderSlip sampleSlip()
{
    OrderSlip slip;
    slip.headerLines = {u"KORVEL ET"_s, {}, u"Sanayi Cad. 12"_s, {}, {}, u"Tel 0312 000 00 00"_s,
                        u"TR 06-0123"_s, u"10"_s};
    slip.customer = u"Ali'nin Kasabı"_s;
    slip.staff = u"Mehmet Öztürk"_s;
    slip.rows = {{u"Dana Kuşbaşı"_s, 3.2, u"2000001"_s},
                 {u"Kuzu But"_s, 2.25, u"2000005"_s},
                 {u"Dana Kuşbaşı"_s, 1.8, u"2000001"_s}};
    slip.sums = {{u"Dana Kuşbaşı"_s, 5.0, {}}, {u"Kuzu But"_s, 2.25, {}}};
    slip.printedAt = QDateTime(QDate(2026, 12, 7), QTime(14, 5));
    return slip;
}

PrintJobResult printToPdf(const OrderSlip &slip, const QString &path)
{
    return PrintTools::drawPageToPdf(slip, path, u"Fiş"_s, RollPage);
}

QStringList texts(const PrinterSurface &surface)
{
    QStringList all;
    for (const PageOp &op : surface.recording().ops())
        if (op.kind == PageOp::Kind::Text)
            all << op.text;
    return all;
}

qsizetype pictures(const PrinterSurface &surface)
{
    return std::count_if(surface.recording().ops().cbegin(), surface.recording().ops().cend(),
                         [](const PageOp &op) { return op.kind == PageOp::Kind::Picture; });
}

// The lowest point anything on the page reaches.
qreal inkBottom(const PrinterSurface &surface)
{
    qreal bottom = 0;
    for (const PageOp &op : surface.recording().ops()) {
        const qreal y = op.kind == PageOp::Kind::Text   ? op.at.y() + surface.textHeight()
                        : op.kind == PageOp::Kind::Line ? qMax(op.line.y1(), op.line.y2())
                                                        : op.rect.bottom();
        bottom = qMax(bottom, y);
    }
    return bottom;
}

} // namespace

class TestOrderSlip : public QObject
{
    Q_OBJECT
private slots:
    void dateIsTurkish();
    void printedSlipSaysEverythingInOrderAndScans();
    void unprintableRowAbandonsTheSlip_data();
    void unprintableRowAbandonsTheSlip();
    void previewSkipsEmptyHeadLinesAndTrimsItsEnd();
    void nothingFallsOffThePage_data();
    void nothingFallsOffThePage();
};

void TestOrderSlip::dateIsTurkish()
{
    QCOMPARE(OrderSlip::dateText(QDateTime(QDate(2026, 12, 7), QTime(14, 5))),
             u"07 Aralık 2026 Pazartesi 14:05"_s);
    QCOMPARE(OrderSlip::weightText(12.3456), u"12,346 Kg"_s);
}

void TestOrderSlip::printedSlipSaysEverythingInOrderAndScans()
{
    SKIP_WITHOUT(u"pdftotext"_s, u"pdftoppm"_s, u"zbarimg"_s);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"slip.pdf"_s);
    const PrintJobResult result = printToPdf(sampleSlip(), pdf);
    QVERIFY2(result.printed, qPrintable(result.reason));

    // Head, date, customer, rows (a product twice), staff, sums, total, closing.
    const QString text = PrintTools::pdfText(pdf);
    qsizetype from = 0;
    for (const QString &expected :
         {u"KORVEL ET"_s, u"Sanayi Cad. 12"_s, u"Tel 0312 000 00 00"_s,
          u"07 Aralık 2026 Pazartesi 14:05"_s, u"Sayın;"_s, u"Ali'nin Kasabı"_s,
          u"Dana Kuşbaşı"_s, u"3,200 Kg"_s, u"Kuzu But"_s, u"2,250 Kg"_s, u"Dana Kuşbaşı"_s,
          u"1,800 Kg"_s, u"Eleman : Mehmet Öztürk"_s, u"Dana Kuşbaşı"_s, u"5,000 Kg"_s,
          u"Kuzu But"_s, u"2,250 Kg"_s, u"Toplam Kilo = 7,250 Kg"_s, u"Sipariş Fişidir."_s}) {
        const qsizetype at = text.indexOf(expected, from);
        QVERIFY2(at >= 0, qPrintable(expected + u" missing after position "_s
                                     + QString::number(from) + u" of:\n"_s + text));
        from = at + expected.size();
    }
    QVERIFY(!text.contains(u"TR 06-0123"_s)); // the label's lines stay off the slip

    QCOMPARE(WeighingTestTools::barcodePayloads(pdf),
             (QStringList{u"200000101800"_s, u"200000103200"_s, u"200000502250"_s}));
}

void TestOrderSlip::unprintableRowAbandonsTheSlip_data()
{
    QTest::addColumn<double>("kilo");
    QTest::addColumn<QString>("barkod");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("a hundred kilograms") << 100.0 << u"2000009"_s << u"99,999"_s;
    QTest::newRow("barcode text not encodable") << 1.0 << u"ŞŞ"_s << u"oluşturulamadı"_s;
}

void TestOrderSlip::unprintableRowAbandonsTheSlip()
{
    QFETCH(double, kilo);
    QFETCH(QString, barkod);
    QFETCH(QString, reasonPart);
    OrderSlip slip = sampleSlip();
    slip.rows.insert(1, {u"Dana Kaburga"_s, kilo, barkod});

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"slip.pdf"_s);
    const PrintJobResult result = printToPdf(slip, pdf);
    QVERIFY(!result.printed);
    QVERIFY2(result.reason.contains(reasonPart), qPrintable(result.reason));
    QVERIFY(result.notice().startsWith(u"Fiş yazdırılamadı: "_s));
    QVERIFY(!QFile::exists(pdf)); // nothing half-printed

    // The preview shows the row without its barcode and every other row with one.
    PrinterSurface preview(QSize(4535, 7200));
    slip.draw(preview, OrderSlip::Target::Preview, 7200);
    QVERIFY(!preview.hasFailed());
    QVERIFY(texts(preview).contains(u"Dana Kaburga"_s));
    QCOMPARE(pictures(preview), qsizetype(3));
    QVERIFY(texts(preview).contains(u"Sipariş Fişidir"_s));
}

void TestOrderSlip::previewSkipsEmptyHeadLinesAndTrimsItsEnd()
{
    OrderSlip slip = sampleSlip();
    slip.headerLines = {};
    slip.staff.clear();
    PrinterSurface preview(QSize(4535, 3000));
    int yields = 0;
    slip.draw(preview, OrderSlip::Target::Preview, 3000, [&] { ++yields; });
    QCOMPARE(yields, 3);

    const PageOp &first = preview.recording().ops().first();
    QCOMPARE(first.text, OrderSlip::dateText(slip.printedAt));
    QCOMPARE(first.at.y(), 240.0); // 180 and the gap
    QCOMPARE(first.font.family(), PrinterSurface::fontFamilyFor(u"Times New Roman"_s));
    QVERIFY(first.font.bold());
    const QStringList drawn = texts(preview);
    QVERIFY(!drawn.join(u'|').contains(u"Eleman"_s));
    QVERIFY(!drawn.join(u'|').contains(u"Toplam Kilo"_s)); // the total is on paper only
    QCOMPARE(drawn.last(), u"Sipariş Fişidir"_s);
    QCOMPARE(preview.height(), qCeil(preview.currentY()) + 200);
}

void TestOrderSlip::nothingFallsOffThePage_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("productCount");
    QTest::newRow("empty order") << 0 << 0;
    QTest::newRow("twenty rows") << 20 << 2;
    QTest::newRow("forty products") << 1 << 40;
}

void TestOrderSlip::nothingFallsOffThePage()
{
    QFETCH(int, rowCount);
    QFETCH(int, productCount);
    OrderSlip slip = sampleSlip();
    slip.rows.clear();
    slip.sums.clear();
    for (int i = 0; i < rowCount; ++i)
        slip.rows.append({u"Ürün %1"_s.arg(i), 1.0 + i, u"2000001"_s});
    for (int i = 0; i < productCount; ++i)
        slip.sums.append({u"Ürün %1"_s.arg(i), 2.0, {}});

    QTemporaryDir dir;
    PdfJob job(dir.filePath(u"slip.pdf"_s), u"Fiş"_s, RollPage);
    slip.draw(job, OrderSlip::Target::Page);
    QVERIFY(!job.hasFailed());
    QVERIFY2(inkBottom(job) <= job.height(),
             qPrintable(u"ink to %1, page %2"_s.arg(inkBottom(job)).arg(job.height())));
    QCOMPARE(pictures(job), qsizetype(rowCount));
    QVERIFY(texts(job).contains(u"Toplam Kilo = "_s + OrderSlip::weightText(slip.total())));
    if (rowCount == 0) {
        QCOMPARE(texts(job).filter(u"Toplam Kilo"_s), QStringList{u"Toplam Kilo = 0,000 Kg"_s});
        QCOMPARE(job.height(), RollPage.height());
    }
    if (rowCount <= 1 && productCount > 0) // only the product lines lengthen it
        QCOMPARE((job.height() - RollPage.height()) % OrderSlip::SumRoom, 0);
    QVERIFY(job.endDoc().printed);

    // The preview grows the same way and ends 200 twips below its last line.
    PrinterSurface preview(QSize(4535, 7200));
    slip.draw(preview, OrderSlip::Target::Preview, 7200);
    QVERIFY(inkBottom(preview) <= preview.height());
    QCOMPARE(preview.height(), qCeil(preview.currentY()) + 200);
}

QTEST_MAIN(TestOrderSlip)
#include "test_order_slip.moc"
