#include "data/DemoStation.h"
#include "journal/JournalFile.h"
#include "labels/Gs1Elements.h"
#include "labels/LabelCommand.h"
#include "labels/LabelJournal.h"
#include "labels/PackageLabel.h"
#include "printing/PrintTools.h"
#include "station/SettingsStore.h"
#include "support/TestStation.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Elements = QMap<QString, QString>;
using Kind = LabelBarcodeSettings::Kind;

namespace {

const QChar GroupSeparator(0x1d);

PackageLabel gs1Label(Kind kind, const QString &gtin, const QString &weight)
{
    PackageLabel label;
    label.product = u"Dana Kuşbaşı"_s;
    label.weightText = weight;
    label.barkod = u"2000001"_s;
    label.headerLines = {u"KORVEL ET"_s, {}, {}, {}, {}, {}, u"TR 06-0123"_s, u"10"_s};
    label.today = QDate(2026, 12, 25);
    label.gtin = gtin;
    label.barcode.kind = kind;
    return label;
}

// Scanned GS1 data as a scanner hands it over: identifiers of fixed length
// run on, the others end at a group separator or the end.
Elements parseScanned(const QString &raw)
{
    static const QMap<QString, int> Fixed = {{u"01"_s, 14}, {u"3103"_s, 6}, {u"13"_s, 6}, {u"17"_s, 6}};
    static const QStringList Varying = {u"7030"_s, u"251"_s, u"422"_s, u"423"_s,
                                        u"424"_s,  u"425"_s, u"10"_s};
    Elements found;
    QString rest = raw;
    while (!rest.isEmpty()) {
        if (rest.front() == GroupSeparator || rest.front() == u'\n') {
            rest.remove(0, 1);
            continue;
        }
        QString ai;
        for (const QString &candidate : Fixed.keys() + Varying)
            if (rest.startsWith(candidate) && candidate.size() > ai.size())
                ai = candidate;
        if (ai.isEmpty())
            return {{u"?"_s, rest}};
        qsizetype end = ai.size() + Fixed.value(ai);
        if (!Fixed.contains(ai)) {
            while (end < rest.size() && rest[end] != GroupSeparator && rest[end] != u'\n')
                ++end;
        }
        found.insert(ai, rest.mid(ai.size(), end - ai.size()));
        rest.remove(0, end);
    }
    return found;
}

// Every symbol in the picture, read by the outside decoders.
QString scan(const QImage &page, Kind kind, const QString &scratch)
{
    if (kind != Kind::Gs1DataMatrix)
        return PrintTools::decodeBarcodes(page, scratch);
    const QString png = scratch + u"/matrix.png"_s;
    page.save(png);
    return PrintTools::run(u"dmtxread"_s, {u"-N1"_s, u"-G"_s, u"29"_s, png});
}

QString scanPdf(const QString &pdf, Kind kind, const QString &scratch)
{
    return scan(PrintTools::rasterize(pdf, 300, scratch), kind, scratch);
}

void setStokEk(const QString &stationDir, const QString &gtin, const QString &lot)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"stokek"_s);
    db.setDatabaseName(stationDir + u"/Stok.db"_s);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.prepare(u"INSERT OR REPLACE INTO StokEk(\"Ürün\", GTIN, Parti) VALUES(?, ?, ?)"_s));
    q.addBindValue(u"Dana Kuşbaşı"_s);
    q.addBindValue(gtin);
    q.addBindValue(lot);
    QVERIFY(q.exec());
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"stokek"_s);
}

int runLabel(const TestStation &station, const QStringList &arguments, QString *err = nullptr)
{
    QString out;
    QString errors;
    QTextStream outStream(&out);
    QTextStream errStream(&errors);
    const int code = LabelCommand::run(QStringList{u"label"_s} + arguments, station.stationDir(), outStream, errStream);
    if (err)
        *err = errors;
    return code;
}

} // namespace

class TestGs1Label : public QObject
{
    Q_OBJECT
private slots:
    void variableMeasureGtin_data();
    void variableMeasureGtin();
    void printedSymbolsScan_data();
    void printedSymbolsScan();
    void refusedBeforePrinting_data();
    void refusedBeforePrinting();
    void commandRefusesAndReprintsTheSameSymbol();
    void journalKeepsWhatTheReprintNeeds_data();
    void journalKeepsWhatTheReprintNeeds();
};

void TestGs1Label::variableMeasureGtin_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("gtin"); // empty: refused
    QTest::newRow("GTIN-13") << u"8690000123452"_s << u"98690000123455"_s;
    QTest::newRow("GTIN-14, indicator 1") << u"18690000123459"_s << u"98690000123455"_s;
    QTest::newRow("GTIN-12") << u"123456789012"_s << u"90123456789015"_s;
    QTest::newRow("GTIN-8") << u"96141410"_s << u"90000096141413"_s;
    QTest::newRow("wrong check digit") << u"8690000123453"_s << QString();
    QTest::newRow("eleven digits") << u"86900001234"_s << QString();
    QTest::newRow("letters") << u"869000012345A"_s << QString();
}

void TestGs1Label::variableMeasureGtin()
{
    QFETCH(QString, stored);
    QFETCH(QString, gtin);
    QString reason;
    QCOMPARE(Gs1::variableMeasureGtin(stored, &reason).value_or(QString()), gtin);
    QCOMPARE(reason.isEmpty(), !gtin.isEmpty());
}

void TestGs1Label::printedSymbolsScan_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<double>("tare");
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("animal");
    QTest::addColumn<bool>("origins");
    QTest::addColumn<Elements>("expected");
    QTest::addColumn<int>("symbols");

    const Elements common = {{u"01"_s, u"98690000123455"_s}, {u"13"_s, u"261225"_s}, {u"17"_s, u"270104"_s}};
    Elements dateLot = common;
    dateLot.insert({{u"3103"_s, u"001500"_s}, {u"10"_s, u"2026-12-25"_s}});
    Elements withOrigins = common;
    withOrigins.insert({{u"3103"_s, u"012345"_s}, {u"10"_s, u"K-7"_s}, {u"7030"_s, u"792TR06-0123"_s},
                        {u"422"_s, u"792"_s}, {u"423"_s, u"276792"_s}});
    Elements matrix = withOrigins;
    matrix.insert({{u"3103"_s, u"000500"_s}, {u"10"_s, u"L-2026/12"_s}, {u"251"_s, u"TR060012345678"_s}});

    QTest::newRow("GS1-128, production date as lot")
        << int(Kind::Gs1_128) << u"1,500 Kg "_s << 0.0 << QString() << QString() << false << dateLot << 2;
    QTest::newRow("GS1-128, lot before origins")
        << int(Kind::Gs1_128) << u"12,345 Kg "_s << 0.0 << u"K-7"_s << QString() << true << withOrigins << 3;
    QTest::newRow("DataMatrix, net weight, animal and origins")
        << int(Kind::Gs1DataMatrix) << u"0,500 Kg "_s << 0.2 << u"L-2026/12"_s << u"TR060012345678"_s << true
        << matrix << 1;
}

void TestGs1Label::printedSymbolsScan()
{
    QFETCH(int, kind);
    QFETCH(QString, weight);
    QFETCH(double, tare);
    QFETCH(QString, lot);
    QFETCH(QString, animal);
    QFETCH(bool, origins);
    QFETCH(Elements, expected);
    QFETCH(int, symbols);
    if (Kind(kind) == Kind::Gs1DataMatrix && !PrintTools::missing({u"dmtxread"_s}).isEmpty())
        QSKIP("dmtxread (dmtx-utils) is not installed: the DataMatrix cannot be read back");
    SKIP_WITHOUT(u"pdftotext"_s, u"pdftoppm"_s, u"zbarimg"_s);

    PackageLabel label = gs1Label(Kind(kind), u"8690000123452"_s, weight);
    label.tareKg = tare;
    label.lot = lot;
    label.animal = animal;
    if (origins) {
        label.barcode.approvalNumber = u"TR06-0123"_s;
        label.barcode.approvalCountry = u"792"_s;
        label.barcode.born = u"792"_s;
        label.barcode.reared = u"276, 792"_s;
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"label.pdf"_s);
    const PrintJobResult result = PrintTools::drawPageToPdf(label, pdf, u"Etiket"_s, label.pageTwips());
    QVERIFY2(result.printed, qPrintable(result.reason));

    const QString scanned = scanPdf(pdf, Kind(kind), dir.path());
    QCOMPARE(parseScanned(scanned), expected);
    // The lot's length varies: whatever follows it in its symbol needs the separator.
    if (origins || !animal.isEmpty())
        QVERIFY2(scanned.contains(u"10"_s + expected[u"10"_s] + GroupSeparator), qPrintable(scanned));
    QCOMPARE(scanned.count(u'\n') + 1, symbols);

    const QString text = PrintTools::pdfText(pdf);
    QVERIFY2(text.contains(u"(01)98690000123455(3103)"_s + expected[u"3103"_s]), qPrintable(text));
    QVERIFY(text.contains(lot.isEmpty() ? u"Parti No Ürt.Tarihidir"_s : u"Parti No: "_s + lot));
    QCOMPARE(text.contains(u"Net"_s), tare > 0);
    if (!animal.isEmpty())
        QVERIFY(text.contains(animal));

    // The preview draws the same symbols, grown to show them whole.
    PrinterSurface preview(QSize(4535, 3000));
    label.draw(preview, PackageLabel::Target::Preview, 3000);
    QCOMPARE(parseScanned(scan(preview.toImage(300), Kind(kind), dir.path())), expected);
}

void TestGs1Label::refusedBeforePrinting_data()
{
    QTest::addColumn<QString>("gtin");
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("born");
    QTest::addColumn<QDate>("leapDay"); // invalid: 25 December 2026, days rule
    QTest::addColumn<QString>("reasonPart");
    const QString gtin = u"8690000123452"_s;
    QTest::newRow("Turkish letter in the lot") << gtin << u"KUŞ-1"_s << QString() << QDate() << u"«Ş»"_s;
    QTest::newRow("blank in the lot") << gtin << u"L 12"_s << QString() << QDate() << u"« »"_s;
    QTest::newRow("lot of 21") << gtin << QString(21, u'A') << QString() << QDate() << u"en çok 20"_s;
    QTest::newRow("no GTIN") << QString() << QString() << QString() << QDate() << u"GTIN'i yok"_s;
    QTest::newRow("mistyped GTIN") << u"8690000123453"_s << QString() << QString() << QDate() << u"denetim hanesi"_s;
    QTest::newRow("country by name") << gtin << QString() << u"TR"_s << QDate() << u"DogumUlkesi"_s;
    QTest::newRow("use-by a year after 29 February")
        << gtin << QString() << QString() << QDate(2028, 2, 29) << u"takvimde yok"_s;
}

void TestGs1Label::refusedBeforePrinting()
{
    QFETCH(QString, gtin);
    QFETCH(QString, lot);
    QFETCH(QString, born);
    QFETCH(QDate, leapDay);
    QFETCH(QString, reasonPart);
    for (const Kind kind : {Kind::Gs1_128, Kind::Gs1DataMatrix}) {
        PackageLabel label = gs1Label(kind, gtin, u"1,500 Kg "_s);
        label.lot = lot;
        label.barcode.born = born;
        if (leapDay.isValid()) {
            label.today = leapDay;
            label.yearRule = true;
        }
        QVERIFY2(label.refusal().contains(reasonPart), qPrintable(label.refusal()));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"label.pdf"_s);
        const PrintJobResult result = PrintTools::drawPageToPdf(label, pdf, u"Etiket"_s, label.pageTwips());
        QVERIFY(!result.printed);
        QVERIFY(result.reason.contains(reasonPart));
        QVERIFY(!QFile::exists(pdf));
    }
}

void TestGs1Label::commandRefusesAndReprintsTheSameSymbol()
{
    SKIP_WITHOUT(u"pdftoppm"_s, u"zbarimg"_s);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    const QString pdf = station.root() + u"/label.pdf"_s;
    QVERIFY(SaveAppSetting(u"Properties"_s, u"EtiketBarkod"_s, u"gs1-128"_s));

    setStokEk(station.stationDir(), u"8690000123452"_s, u"Kuşbaşı 7"_s);
    QString err;
    QCOMPARE(runLabel(station, {u"--product"_s, u"Dana Kuşbaşı"_s, u"--weight"_s, u"2"_s, u"--pdf"_s, pdf}, &err),
             1);
    QVERIFY2(err.contains(u"parti no"_s) && err.contains(u"«ş»"_s), qPrintable(err));
    QVERIFY(!QFile::exists(pdf));

    setStokEk(station.stationDir(), u"8690000123452"_s, u"K-7"_s);
    QCOMPARE(runLabel(station, {u"--product"_s, u"Dana Kuşbaşı"_s, u"--weight"_s, u"2"_s, u"--pdf"_s, pdf}), 0);
    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(JournalFile::path(station.stationDir()), {}, entries));
    QVERIFY(!entries.isEmpty());
    const qint64 printed = entries.last().id;

    // The plant has gone back to EAN-13 since: the reprint is still the label first printed.
    QVERIFY(SaveAppSetting(u"Properties"_s, u"EtiketBarkod"_s, u"ean13"_s));
    const QString again = station.root() + u"/again.pdf"_s;
    QCOMPARE(runLabel(station, {u"--reprint"_s, QString::number(printed), u"--pdf"_s, again}), 0);
    const QString first = scanPdf(pdf, Kind::Gs1_128, station.root());
    QCOMPARE(parseScanned(first).value(u"10"_s), u"K-7"_s);
    QCOMPARE(parseScanned(first).value(u"3103"_s), u"002000"_s);
    QCOMPARE(scanPdf(again, Kind::Gs1_128, station.root()), first);
    QVERIFY(PrintTools::pdfText(again).contains(u"Parti No: K-7"_s));
}

void TestGs1Label::journalKeepsWhatTheReprintNeeds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("animal");
    QTest::newRow("EAN-13 with lot and animal") << int(Kind::Ean13) << u"L-2026/12"_s << u"TR0600123"_s;
    QTest::newRow("EAN-13, production date as lot") << int(Kind::Ean13) << QString() << QString();
    QTest::newRow("GS1-128 with lot") << int(Kind::Gs1_128) << u"L-2026/12"_s << QString();
    QTest::newRow("DataMatrix, date lot, animal") << int(Kind::Gs1DataMatrix) << QString() << u"TR0600123"_s;
}

void TestGs1Label::journalKeepsWhatTheReprintNeeds()
{
    QFETCH(int, kind);
    QFETCH(QString, lot);
    QFETCH(QString, animal);
    TestStation station;
    PackageLabel label = gs1Label(Kind(kind), u"8690000123452"_s, u"1,500 Kg "_s);
    label.lot = lot;
    label.animal = animal;
    PrintJobResult result;
    result.printed = true;
    const QString file = JournalFile::path(station.stationDir());
    QVERIFY(JournalFile::append(file, LabelJournal::entry(label, u"Etiket"_s, result, u"komut satırı"_s)));
    const auto stored = JournalFile::entry(file, 1);
    QVERIFY(stored);
    QVERIFY(stored->detail.startsWith(u"komut satırı"_s));

    const auto again = LabelJournal::label(*stored, label.headerLines);
    QVERIFY(again);
    QCOMPARE(int(again->barcode.kind), kind);
    QCOMPARE(again->lot, lot);
    QCOMPARE(again->animal, animal);
    QCOMPARE(again->barcodeCode(), label.barcodeCode());
}

QTEST_MAIN(TestGs1Label)
#include "test_gs1_label.moc"
