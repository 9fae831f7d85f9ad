#include "printing/PdfJob.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintTools.h"
#include "printing/PrinterSurface.h"
#include "reports/ShipmentSummary.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize A4(11906, 16838);
const QDate Monday(2026, 12, 7);
const QList<ProductTotal> TwoProducts = {{u"Ali'nin Sucuğu"_s, 1234.5}, {u"Kuzu But"_s, 3.75}};

ShipmentSummary summaryOf(ReportPeriod::Kind kind, const QList<ProductTotal> &rows)
{
    return ShipmentSummary(ReportPeriod(kind, Monday), u"KORVEL ET"_s,
                           ShipmentTotals::totalCaption(ShipmentTotals::grandTotal(rows)), rows);
}

// Draws on pages kept for inspection.
std::vector<std::unique_ptr<PrinterSurface>> drawPages(const ShipmentSummary &summary,
                                                       QSize page = A4)
{
    std::vector<std::unique_ptr<PrinterSurface>> pages;
    summary.draw([&]() -> PrinterSurface & {
        pages.push_back(std::make_unique<PrinterSurface>(page));
        return *pages.back();
    });
    return pages;
}

QList<PageOp> opsOf(const PrinterSurface &page, PageOp::Kind kind)
{
    QList<PageOp> found;
    for (const PageOp &op : page.recording().ops())
        if (op.kind == kind)
            found << op;
    return found;
}

QStringList lines(const QString &text)
{
    QStringList result;
    for (const QString &line : text.split(u'\n'))
        if (!line.trimmed().isEmpty())
            result << line.simplified();
    return result;
}

} // namespace

Q_DECLARE_METATYPE(ReportPeriod::Kind)

class TestShipmentSummary : public QObject
{
    Q_OBJECT
private slots:
    void printedPdfReadsBack_data();
    void printedPdfReadsBack();
    void linesAreRuledAndQuantitiesAlignRight();
    void emptySummaryIsTheTotalAlone();
    void longSummaryGoesOnHeadedPages();
};

void TestShipmentSummary::printedPdfReadsBack_data()
{
    QTest::addColumn<ReportPeriod::Kind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("period");
    QTest::newRow("daily") << ReportPeriod::Kind::Day << u"Günlük Sevk"_s
                           << u"07 Aralık 2026 Pazartesi"_s;
    QTest::newRow("monthly") << ReportPeriod::Kind::Month << u"Aylık Sevk"_s << u"Aralık Ayı"_s;
}

void TestShipmentSummary::printedPdfReadsBack()
{
    QFETCH(ReportPeriod::Kind, kind);
    QFETCH(QString, title);
    QFETCH(QString, period);
    SKIP_WITHOUT(u"pdftotext"_s);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"summary.pdf"_s);
    PdfJob job(pdf, ShipmentSummary::DocumentName, A4);
    const PrintJobResult result = summaryOf(kind, TwoProducts).print(job);
    QVERIFY2(result.printed, qPrintable(result.reason));

    const QStringList text = lines(PrintTools::run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}));
    const QStringList expected = {u"KORVEL ET"_s, title, period, u"Ali'nin Sucuğu 1.234,500"_s,
                                  u"Kuzu But 3,750"_s, u"Toplam : 1.238,250 Kg"_s};
    QCOMPARE(text, expected);
}

void TestShipmentSummary::linesAreRuledAndQuantitiesAlignRight()
{
    const auto pages = drawPages(summaryOf(ReportPeriod::Kind::Day, TwoProducts));
    QCOMPARE(pages.size(), size_t(1));
    const PrinterSurface &page = *pages.front();

    const QList<PageOp> rules = opsOf(page, PageOp::Kind::Line);
    QCOMPARE(rules.size(), 3); // under the header and under each product
    for (const PageOp &rule : rules) {
        QCOMPARE(rule.line.x1(), 60.0);
        QCOMPARE(rule.line.x2(), page.scaleWidth() - 60.0);
        QCOMPARE(rule.line.y1(), rule.line.y2());
    }

    const QList<PageOp> texts = opsOf(page, PageOp::Kind::Text);
    QCOMPARE(texts.size(), 3 + 2 * 2 + 1);
    QCOMPARE(texts.first().at.y(), 180.0);
    QCOMPARE(texts.first().font.pixelSize(), 14 * 20);
    for (const PageOp &quantity : {texts[4], texts[6]}) {
        QCOMPARE(quantity.font.pixelSize(), 12 * 20);
        QCOMPARE(quantity.at.x() + page.textWidth(quantity.text), page.scaleWidth() - 90.0);
    }
    QCOMPARE(texts[4].text, u"1.234,500"_s);
    QVERIFY(texts[5].at.y() > rules[1].line.y1() && texts[5].at.y() < rules[2].line.y1());
    QCOMPARE(texts.last().at, QPointF(60, rules[2].line.y1() + 60));
}

void TestShipmentSummary::emptySummaryIsTheTotalAlone()
{
    const auto pages = drawPages(summaryOf(ReportPeriod::Kind::Month, {}));
    QCOMPARE(pages.size(), size_t(1));
    const QList<PageOp> &ops = pages.front()->recording().ops();
    QCOMPARE(ops.size(), 1);
    QCOMPARE(ops.first().text, u"Toplam : 0,000 Kg"_s);
    QCOMPARE(ops.first().at, QPointF(60, 60));
}

void TestShipmentSummary::longSummaryGoesOnHeadedPages()
{
    QList<ProductTotal> rows;
    for (int i = 1; i <= 120; ++i)
        rows.append({u"Ürün %1"_s.arg(i, 3, 10, QChar(u'0')), i * 1.5});
    const auto pages = drawPages(summaryOf(ReportPeriod::Kind::Day, rows));
    QVERIFY(pages.size() >= 3);

    QStringList printed;
    for (const auto &page : pages) {
        const QList<PageOp> texts = opsOf(*page, PageOp::Kind::Text);
        QCOMPARE(texts.first().text, u"KORVEL ET"_s);
        for (const PageOp &text : texts) {
            QVERIFY2(text.at.y() + page->textHeight() <= page->height(), qPrintable(text.text));
            if (text.text.startsWith(u"Ürün"_s))
                printed << text.text;
        }
    }
    QCOMPARE(printed.size(), rows.size());
    QCOMPARE(printed.last(), u"Ürün 120"_s);
    QCOMPARE(opsOf(*pages.back(), PageOp::Kind::Text).last().text, u"Toplam : 10.890,000 Kg"_s);

    // On paper the pages make one document.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"summary.pdf"_s);
    PdfJob job(pdf, ShipmentSummary::DocumentName, A4);
    const PrintJobResult result = summaryOf(ReportPeriod::Kind::Day, rows).print(job);
    QVERIFY(result.printed);
    QCOMPARE(PrintTools::pdfPages(pdf), int(pages.size()));
    QVERIFY(PrintTools::pdfText(pdf).contains(u"Ürün 120"_s));
}

QTEST_MAIN(TestShipmentSummary)
#include "test_shipment_summary.moc"
