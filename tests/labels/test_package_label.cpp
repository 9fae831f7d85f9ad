#include "station/SettingsStore.h"
#include "data/DemoStation.h"
#include "labels/ChoosePrinter.h"
#include "labels/LabelCommand.h"
#include "labels/PackageLabel.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintTools.h"
#include "printing/PrinterJob.h"
#include "support/TestStation.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize LabelPage(4535, 5100);

PackageLabel sampleLabel(const QDate &today, bool yearRule, const QString &weight = u"1,500 Kg "_s)
{
    PackageLabel label;
    label.product = u"Dana Kuşbaşı"_s;
    label.customer = u"Ali'nin Kasabı"_s;
    label.weightText = weight;
    label.barkod = u"2000001"_s;
    label.headerLines = {u"KORVEL ET"_s, {}, {}, {}, {}, {}, u"TR 06-0123"_s, u"10"_s};
    label.today = today;
    label.yearRule = yearRule;
    return label;
}

PrintJobResult printToPdf(const PackageLabel &label, const QString &path)
{
    return PrintTools::drawPageToPdf(label, path, u"Etiket"_s, LabelPage);
}

QStringList queueFiles(const QString &queue)
{
    const QDir dir(PrintTools::cupsOutputDir(queue));
    QStringList paths;
    for (const QString &name : dir.entryList({u"*.pdf"_s}, QDir::Files, QDir::Time))
        paths << dir.filePath(name);
    return paths;
}

} // namespace

class TestPackageLabel : public QObject
{
    Q_OBJECT
private slots:
    void pdfSaysEverythingAndScans_data();
    void pdfSaysEverythingAndScans();
    void unprintableLabelsAreAbandoned_data();
    void unprintableLabelsAreAbandoned();
    void previewDrawsTheSameTexts();
    void labelArrivesOnTheRememberedQueue();
    void labelCommandPrintsAReprint();
    void labelCommandRefusesImpossibleWeights_data();
    void labelCommandRefusesImpossibleWeights();
};

void TestPackageLabel::pdfSaysEverythingAndScans_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("yearRule");
    QTest::addColumn<QString>("production");
    QTest::addColumn<QString>("useBy");
    QTest::newRow("ten days") << QDate(2026, 12, 25) << false << u": 25.12.2026"_s << u": 04.01.2027"_s;
    QTest::newRow("one year") << QDate(2026, 12, 31) << true << u": 31.12.2026"_s << u": 31.12.2027"_s;
}

void TestPackageLabel::pdfSaysEverythingAndScans()
{
    QFETCH(QDate, today);
    QFETCH(bool, yearRule);
    QFETCH(QString, production);
    QFETCH(QString, useBy);
    SKIP_WITHOUT(u"pdftotext"_s, u"pdftoppm"_s, u"zbarimg"_s);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    const PrintJobResult result = printToPdf(sampleLabel(today, yearRule), pdf);
    QVERIFY2(result.printed, qPrintable(result.reason));

    const QString text = PrintTools::pdfText(pdf);
    for (const QString &expected : {u"Dana Kuşbaşı"_s, u"TR 06-0123"_s, u"Üretim Tarihi"_s,
                                    u"Son Tüketim Tarihi"_s, u"Parti No Ürt.Tarihidir"_s,
                                    u"Menşeği Ülke"_s, u": TÜRKİYE"_s, u"Ağırlık"_s,
                                    u"1,500 Kg"_s, production, useBy})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" not in:\n"_s + text));
    QVERIFY(!text.contains(u"Ali'nin"_s)); // the customer is on the preview only

    const QImage page = PrintTools::rasterize(pdf, 300, dir.path());
    QCOMPARE(PrintTools::decodeBarcodes(page, dir.path()).trimmed(), u"2000001015001"_s);
}

void TestPackageLabel::unprintableLabelsAreAbandoned_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("a hundred kilograms") << u"100,000 Kg "_s << u"10"_s << u"99,999"_s;
    QTest::newRow("days no number") << u"1,500 Kg "_s << u"on"_s << u"sayı değil"_s;
    QTest::newRow("days before production") << u"1,500 Kg "_s << u"-5"_s << u"\"-5\") 1 ile 3650"_s;
}

void TestPackageLabel::unprintableLabelsAreAbandoned()
{
    QFETCH(QString, weight);
    QFETCH(QString, days);
    QFETCH(QString, reasonPart);
    QTemporaryDir dir;
    PackageLabel label = sampleLabel(QDate(2026, 12, 25), false, weight);
    label.headerLines[7] = days;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    const PrintJobResult result = printToPdf(label, pdf);
    QVERIFY(!result.printed);
    QVERIFY2(result.reason.contains(reasonPart), qPrintable(result.reason));
    QVERIFY(result.notice().startsWith(u"Etiket yazdırılamadı"_s));
    QVERIFY(!QFile::exists(pdf)); // nothing half-printed

    // The preview still shows what it can.
    PrinterSurface preview(QSize(4535, 5000));
    label.draw(preview, PackageLabel::Target::Preview, 5000);
    QVERIFY(!preview.hasFailed());
}

void TestPackageLabel::previewDrawsTheSameTexts()
{
    SKIP_WITHOUT(u"zbarimg"_s);
    PrinterSurface preview(QSize(4535, 3000));
    sampleLabel(QDate(2026, 12, 25), false).draw(preview, PackageLabel::Target::Preview, 3000);
    QCOMPARE(preview.height(), 3000 + 1100); // grown once when the end comes near
    QTemporaryDir dir;
    QCOMPARE(PrintTools::decodeBarcodes(preview.toImage(300), dir.path()).trimmed(),
             u"2000001015001"_s);
}

void TestPackageLabel::labelArrivesOnTheRememberedQueue()
{
    if (const QString problem = PrintTools::cupsQueueProblem(u"Etiket"_s); !problem.isEmpty())
        QSKIP(qPrintable(problem));
    SKIP_WITHOUT(u"pdftoppm"_s, u"zbarimg"_s);
    TestStation station;
    WriteRegValue(LabelPrinterKey, u"Etiket"_s);
    QVERIFY(CurrentPrinter::selectRemembered(LabelPrinterKey));
    const QStringList before = queueFiles(u"Etiket"_s);

    PrinterJob job(CurrentPrinter::printer(), u"Etiket"_s);
    sampleLabel(QDate(2026, 12, 25), false, u"99,999 Kg "_s).draw(job, PackageLabel::Target::Page);
    QVERIFY(job.endDoc().printed);

    QString arrived;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (const QString &path : queueFiles(u"Etiket"_s)) {
                QFile file(path);
                if (!before.contains(path) && file.open(QIODevice::ReadOnly)
                    && file.readAll().trimmed().endsWith("%%EOF"))
                    arrived = path;
            }
            return !arrived.isEmpty();
        }(),
        20000);
    QTemporaryDir dir;
    const QImage page = PrintTools::rasterize(arrived, 300, dir.path());
    QCOMPARE(PrintTools::decodeBarcodes(page, dir.path()).trimmed(), u"2000001999998"_s);
}

void TestPackageLabel::labelCommandPrintsAReprint()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    const QString tavran = QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s;
    const QString pdf = station.root() + u"/reprint.pdf"_s;

    QProcess run;
    run.start(tavran, {u"--data-dir"_s, station.stationDir(), u"label"_s, u"--product"_s,
                       u"dana kuşbaşı"_s, u"--weight"_s, u"1.5"_s, u"--year"_s, u"--pdf"_s, pdf});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    const QString text = PrintTools::pdfText(pdf);
    QVERIFY(text.contains(u"Dana Kuşbaşı"_s));
    QVERIFY(text.contains(u"1,500 Kg"_s));
    QVERIFY(text.contains(QDate::currentDate().addYears(1).toString(u"yyyy"_s)));

    run.start(tavran, {u"--data-dir"_s, station.stationDir(), u"label"_s, u"--product"_s,
                       u"Dana Kuşbaşı"_s, u"--weight"_s, u"120"_s, u"--pdf"_s, pdf + u"2"_s});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 1);
    QVERIFY(QString::fromUtf8(run.readAllStandardError()).contains(u"Etiket yazdırılamadı"_s));

    run.start(tavran, {u"--data-dir"_s, station.stationDir(), u"label"_s, u"--product"_s,
                       u"Yok Böyle Ürün"_s, u"--weight"_s, u"1"_s, u"--pdf"_s, pdf + u"3"_s});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 1);
}

void TestPackageLabel::labelCommandRefusesImpossibleWeights_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("told"); // in the one line of the refusal
    for (const QString &weight : {u"nan"_s, u"inf"_s, u"-inf"_s, u"0"_s, u"0,000"_s, u"-1"_s, u"on"_s})
        QTest::newRow(qPrintable(weight)) << weight << QString() << weight;
    QTest::newRow("lot with a Turkish letter") << u"1"_s << u"ŞİŞ-1"_s << u"\"Ş\""_s;
    QTest::newRow("lot too long") << u"1"_s << QString(21, u'7') << u"en fazla 20"_s;
}

void TestPackageLabel::labelCommandRefusesImpossibleWeights()
{
    QFETCH(QString, weight);
    QFETCH(QString, lot);
    QFETCH(QString, told);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    const QString pdf = station.root() + u"/refused.pdf"_s;
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = LabelCommand::run({u"label"_s, u"--product"_s, u"Dana Kuşbaşı"_s, u"--weight"_s,
                                        weight, u"--lot"_s, lot, u"--pdf"_s, pdf},
                                       station.stationDir(), outStream, errStream);
    QCOMPARE(code, 2);
    QCOMPARE(err.count(u'\n'), 1);
    QVERIFY2(err.contains(told), qPrintable(err));
    QVERIFY(out.isEmpty());
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPackageLabel)
#include "test_package_label.moc"
