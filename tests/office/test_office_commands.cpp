#include "data/DemoStation.h"
#include "data/StationDatabase.h"
#include "journal/JournalFile.h"
#include "printing/PrintTools.h"
#include "support/TestStation.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

// Runs the built station program on the test's station folder.
Result tavran(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s, arguments);
    Result result;
    if (!process.waitForFinished(120000))
        return result;
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every row of a table as text, in table order.
QStringList tableRows(const QString &folder, Schema::File file, const QString &table)
{
    StationDatabase db(QDir(folder).filePath(Schema::fileName(file)), file);
    QSqlQuery query(db.database());
    QStringList rows;
    if (!query.exec(u"SELECT * FROM "_s + table + u" ORDER BY rowid"_s))
        return {u"unreadable"_s};
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i).toString();
        rows << values.join(u'|');
    }
    return rows;
}

void insertRows(const QString &folder, Schema::File file, const QString &sql,
                const QList<QVariantList> &rows)
{
    StationDatabase db(QDir(folder).filePath(Schema::fileName(file)), file);
    QSqlDatabase connection = db.database();
    QVERIFY(connection.transaction());
    QSqlQuery insert(connection);
    QVERIFY(insert.prepare(sql));
    for (const QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i)
            insert.bindValue(i, row[i]);
        QVERIFY(insert.exec());
    }
    QVERIFY(connection.commit());
}

// "12.345" from grams, without the code's number formatting.
QString gramsText(qint64 grams)
{
    const QString sign = grams < 0 ? u"-"_s : QString();
    grams = std::abs(grams);
    return sign + QString::number(grams / 1000) + u'.'
           + QString::number(grams % 1000).rightJustified(3, u'0');
}

int ean13CheckDigit(const QString &twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelve[i].digitValue() * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

// Products in Turkish alphabetical order.
const QStringList Products = {u"Çiğ Köfte"_s, u"Dana Kıyma"_s,   u"Işkembe"_s, u"İnegöl Köfte"_s,
                              u"Koç'un Eti"_s, u"Sucuk"_s,        u"Şiş Kebap"_s, u"Uzun Sosis"_s};

struct Movement
{
    QString tarih;
    QString product;
    qint64 grams;
    int alsat;
};

} // namespace

class TestOfficeCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void importAndExport_data();
    void importAndExport();
    void badRowsImportNothing_data();
    void badRowsImportNothing();
    void reportTotals_data();
    void reportTotals();
    void reportSummaryOnPaperAndScreen();
    void slipReprintBooksNothing();
    void slipReprintOnTheRememberedQueue();
    void everyPrintoutIsJournalled_data();
    void everyPrintoutIsJournalled();
    void arguments_data();
    void arguments();

private:
    std::unique_ptr<TestStation> m_station;
    QString folder() const { return m_station->stationDir(); }
    QString file(const QString &name) const { return m_station->root() + u'/' + name; }
    QList<Movement> insertMovements();
    void insertOrder();
};

// Three rows, two of one product written in two cases, one barcode too short
// for an EAN-13.
void TestOfficeCommands::insertOrder()
{
    QVERIFY(DemoStation::create(folder()));
    insertRows(folder(), Schema::File::Tavran,
               u"INSERT INTO Tart(\"Ürün\", Kilo, Barkod, Tamam) VALUES (?, ?, ?, ?)"_s,
               {{u"Dana Kıyma"_s, 1.25, u"2000001"_s, 1},
                {u"Koç'un Eti"_s, 2.5, u"20003"_s, 0},
                {u"dana kıyma"_s, 3.0, u"2000001"_s, 1}});
}

// The barcodes of the order's rows as a scanner reads them.
QStringList orderBarcodes()
{
    QStringList expected{u"200000101250"_s, u"200000103000"_s};
    for (QString &code : expected)
        code += QString::number(ean13CheckDigit(code));
    expected << u"2000302500"_s; // not 7 digits: Code 128 carries it as it is
    expected.sort();
    return expected;
}

QStringList barcodesOn(const QString &pdf, const QString &scratch)
{
    QStringList codes = PrintTools::decodeBarcodes(PrintTools::rasterize(pdf, 300, scratch), scratch)
                            .split(u'\n', Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

void TestOfficeCommands::init()
{
    m_station = std::make_unique<TestStation>();
    qputenv("XDG_RUNTIME_DIR", m_station->root().toUtf8());
}

void TestOfficeCommands::importAndExport_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("exported");

    QTest::newRow("products, UTF-8 with BOM")
        << u"products"_s << u"utf-8"_s
        << QByteArray("\xEF\xBB\xBF"
                      "Barkod,Ürün,Birim\n"
                      "2000002,\"Kuzu Pirzola, özel\",Kg\n"
                      "2000001,Çiğ Köfte,Adet\n"
                      "20003,Koç'un Eti,Kg\n"
                      "\n"
                      "2000004,\"Işkembe \"\"temiz\"\"\",Kg\n"
                      "2000005,İnegöl Köfte,Kg\n")
        << QByteArray("Barkod,Ürün,Birim,GTIN,Dara\r\n"
                      "2000001,Çiğ Köfte,Adet,,0\r\n"
                      "2000004,\"Işkembe \"\"temiz\"\"\",Kg,,0\r\n"
                      "2000005,İnegöl Köfte,Kg,,0\r\n"
                      "20003,Koç'un Eti,Kg,,0\r\n"
                      "2000002,\"Kuzu Pirzola, özel\",Kg,,0\r\n");
    // Ş, ü, ı, İ, Ç in the old code page; an address over two lines.
    QTest::newRow("customers, Windows-1254")
        << u"customers"_s << u"windows-1254"_s
        << QByteArray("Unvan,Gurup,Adres\r\n"
                      "\xDE\xFCkr\xFC'n\xFCn Kasab\xFD,SATI\xDE,\"Atat\xFCrk Cad. 5, \xDDzmir\"\r\n"
                      "\xC7" "ak\xFDr Et,ALI\xDE,\r\n"
                      "Ayd\xFDn G\xFD" "da,SATI\xDE,\"Sanayi Sit.\r\n3. Blok\"\r\n")
        << QByteArray("Kod,Unvan,Gurup,Adres,Telefon,VergiNo\r\n"
                      ",Aydın Gıda,SATIŞ,\"Sanayi Sit.\r\n3. Blok\",,\r\n"
                      ",Çakır Et,ALIŞ,,,\r\n"
                      ",Şükrü'nün Kasabı,SATIŞ,\"Atatürk Cad. 5, İzmir\",,\r\n");
    // Kept with its blanks, a key matches no lookup and garbles the barcode.
    QTest::newRow("products, blanks around a key")
        << u"products"_s << u"utf-8"_s
        << QByteArray("Barkod,Ürün,Birim\n2000002,Kuzu,Kg\n2000003,Sucuk,Kg\n 2000001\t,Dana Kıyma,Kg\n")
        << QByteArray("Barkod,Ürün,Birim,GTIN,Dara\r\n2000001,Dana Kıyma,Kg,,0\r\n2000002,Kuzu,Kg,,0\r\n"
                      "2000003,Sucuk,Kg,,0\r\n");
    // An EAN-13 is kept as GTIN-14; a tare comes back as it went in.
    QTest::newRow("products with GTIN and tare")
        << u"products"_s << u"utf-8"_s
        << QByteArray("Barkod,Ürün,Birim,Dara,GTIN\n2000001,Kuzu But,Kg,0.25,8690123456789\n"
                      "2000002,Sucuk,Kg,,\n20003,Koç Eti,Kg, 1.5 ,08690123456789\n")
        << QByteArray("Barkod,Ürün,Birim,GTIN,Dara\r\n20003,Koç Eti,Kg,08690123456789,1.5\r\n"
                      "2000001,Kuzu But,Kg,08690123456789,0.25\r\n2000002,Sucuk,Kg,,0\r\n");
}

void TestOfficeCommands::importAndExport()
{
    QFETCH(QString, table);
    QFETCH(QString, encoding);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, exported);
    writeFile(file(u"in.csv"_s), input);

    Result run = tavran({table, u"import"_s, file(u"in.csv"_s), u"--encoding"_s, encoding});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(u"kayıt eklendi"_s), qPrintable(run.out));
    if (table == u"products"_s) // line 4: a 5-digit barcode, or blanks around one
        QCOMPARE(run.err.count(u"uyarı"_s), 1);
    QVERIFY(run.err.contains(u"in.csv:4: uyarı"_s) == (table == u"products"_s));

    QCOMPARE(tavran({table, u"export"_s, file(u"out.csv"_s)}).code, 0);
    QCOMPARE(readFile(file(u"out.csv"_s)), exported);
    run = tavran({table, u"export"_s});
    QCOMPARE(run.out.toUtf8(), exported);

    // The export read into a fresh station comes out the same; read again
    // into this one it only updates.
    run = tavran({table, u"import"_s, file(u"out.csv"_s)});
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.contains(u" 0 kayıt eklendi"_s), qPrintable(run.out));
    QCOMPARE(tavran({table, u"export"_s}).out.toUtf8(), exported);
    const TestStation fresh;
    run = tavran({u"--data-dir"_s, fresh.stationDir(), table, u"import"_s, file(u"out.csv"_s)});
    QCOMPARE(run.code, 0);
    QCOMPARE(tavran({u"--data-dir"_s, fresh.stationDir(), table, u"export"_s}).out.toUtf8(), exported);
}

void TestOfficeCommands::badRowsImportNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<int>>("badLines");
    QTest::addColumn<QString>("message"); // a reason the errors must give, when set

    const QByteArray header = "Barkod,Ürün,Birim\n";
    QTest::newRow("no key, no name") << u"products"_s << QStringList()
        << header + "2000009,Yeni,Kg\n,Adsız,Kg\n2000001,  ,Kg\n" << QList<int>{3, 4} << QString();
    QTest::newRow("key twice, once updating") << u"products"_s << QStringList()
        << header + "2000001,Dana,Kg\n2000009,Yeni,Kg\n2000009,Başka,Kg\n" << QList<int>{4} << QString();
    QTest::newRow("unknown column") << u"products"_s << QStringList()
        << QByteArray("Barkod,Ürün,Fiyat\n2000009,Yeni,5\n") << QList<int>{1} << QString();
    QTest::newRow("byte outside the code page") << u"products"_s << QStringList{u"--encoding"_s, u"windows-1254"_s}
        << QByteArray("Barkod,\xDCr\xFCn,Birim\r\n2000009,Yeni\x81,Kg\r\n2000010,D\xFCz,Kg\r\n")
        << QList<int>{2} << QString();
    QTest::newRow("not UTF-8") << u"products"_s << QStringList()
        << header + "2000009,Yeni\xFF,Kg\n2000010,Düz,Kg\n" << QList<int>{2} << QString();
    QTest::newRow("short row, stray quote") << u"products"_s << QStringList()
        << header + "2000009,Yeni\n2000010,\"Ya\"rım,Kg\n2000011,Tamam,Kg\n" << QList<int>{2, 3} << QString();
    QTest::newRow("NUL inside a field") << u"products"_s << QStringList()
        << header + "2000009,Ye" + '\0' + "ni,Kg\n2000010,Düz,Kg\n" << QList<int>{2} << QString();
    QTest::newRow("CR line ends") << u"products"_s << QStringList()
        << QByteArray("Barkod,Ürün,Birim\r2000009,Yeni,Kg\r,Adsız,Kg\r2000010,Düz\r")
        << QList<int>{3, 4} << QString();
    QTest::newRow("key with a %1 twice") << u"products"_s << QStringList()
        << header + "K%1,Yeni,Kg\nK%1,Başka,Kg\n" << QList<int>{3}
        << u"Barkod \"K%1\" 2. satırda da var"_s;
    const QByteArray extras = "Barkod,Ürün,Birim,GTIN,Dara\n";
    QTest::newRow("bad GTIN and tare") << u"products"_s << QStringList()
        << extras + "2000009,Yeni,Kg,8690123456788,0\n2000010,Düz,Kg,869012345678,0\n"
                    "2000011,Kuzu,Kg,,\"0,25\"\n2000012,Dana,Kg,,\"1,250\"\n2000013,Et,Kg,,-0.1\n"
                    "2000014,Ok,Kg,08690123456789,0.1\n"
        << QList<int>{2, 3, 4, 5, 6} << u"ondalık noktalı"_s;
    QTest::newRow("accounts without a title") << u"customers"_s << QStringList()
        << QByteArray("Gurup,Adres\nSATIŞ,Merkez\n") << QList<int>{1} << u"Unvan sütunu yok"_s;
}

void TestOfficeCommands::badRowsImportNothing()
{
    QFETCH(QString, table);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QList<int>, badLines);
    QFETCH(QString, message);
    writeFile(file(u"base.csv"_s), "Barkod,Ürün,Birim\n2000001,Dana Kıyma,Kg\n");
    QCOMPARE(tavran({u"products"_s, u"import"_s, file(u"base.csv"_s)}).code, 0);
    const QStringList before = tableRows(folder(), Schema::File::Stok, u"Stok"_s)
                               + tableRows(folder(), Schema::File::Cari, u"Cari"_s);

    writeFile(file(u"bad.csv"_s), input);
    const Result run = tavran(QStringList{table, u"import"_s, file(u"bad.csv"_s)} + options);
    QCOMPARE(run.code, 1);
    QList<int> named;
    static const QRegularExpression lineRef(u"bad\\.csv:(\\d+): (?!uyarı)"_s);
    for (auto m = lineRef.globalMatch(run.err); m.hasNext();)
        named << m.next().captured(1).toInt();
    QCOMPARE(named, badLines);
    QVERIFY(run.err.contains(u"hiçbir kayıt alınmadı"_s));
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(tableRows(folder(), Schema::File::Stok, u"Stok"_s)
                 + tableRows(folder(), Schema::File::Cari, u"Cari"_s),
             before);

    // A trial run of a sound file counts and writes nothing.
    writeFile(file(u"good.csv"_s), "Barkod,Ürün,Birim\n2000001,Dana,Kg\n2000009,Yeni,Kg\n");
    const Result trial = tavran({u"products"_s, u"import"_s, file(u"good.csv"_s), u"--dry-run"_s});
    QCOMPARE(trial.code, 0);
    QVERIFY2(trial.out.contains(u"1 kayıt eklenecek, 1 kayıt güncellenecek"_s), qPrintable(trial.out));
    QCOMPARE(tableRows(folder(), Schema::File::Stok, u"Stok"_s), before);
}

QList<Movement> TestOfficeCommands::insertMovements()
{
    QList<Movement> movements = {
        // Last days of months, and a product whose sales cancel out.
        {u"2024-01-31"_s, u"Dana Kıyma"_s, 4321, 1},
        {u"2024-02-29"_s, u"Koç'un Eti"_s, 7500, 0},
        {u"2024-03-31"_s, u"Çiğ Köfte"_s, 1, 1},
        {u"2024-02-10"_s, u"Sucuk"_s, 1100, 0},
        {u"2024-02-10"_s, u"Sucuk"_s, 2200, 0},
        {u"2024-02-10"_s, u"Sucuk"_s, -3300, 0},
    };
    QRandomGenerator random(20240229);
    for (QDate day(2024, 1, 1); day <= QDate(2024, 3, 31); day = day.addDays(1)) {
        for (int n = random.bounded(4); n > 0; --n) {
            QString product = Products[random.bounded(int(Products.size()))];
            if (product == u"Sucuk"_s)
                continue;
            const qint64 grams = random.bounded(1, 90000) * (random.bounded(10) == 0 ? -1 : 1);
            movements.append({day.toString(Qt::ISODate), product, grams, random.bounded(2)});
        }
    }
    QList<QVariantList> stok;
    for (qsizetype i = Products.size() - 1; i >= 0; --i) // stored out of order
        stok.append({u"20000%1"_s.arg(i + 10), Products[i], u"Kg"_s});
    insertRows(folder(), Schema::File::Stok, u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, ?)"_s, stok);
    QList<QVariantList> rows;
    for (const Movement &m : movements)
        rows.append({m.tarih, m.product, m.grams / 1000.0, m.alsat});
    insertRows(folder(), Schema::File::Stok,
               u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)"_s, rows);
    return movements;
}

void TestOfficeCommands::reportTotals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("alsat");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("leap day, sales") << u"--day"_s << u"2024-02-29"_s << 0 << u"2024-02-29"_s << u"2024-02-29"_s;
    QTest::newRow("day cancelling out") << u"--day"_s << u"2024-02-10"_s << 0 << u"2024-02-10"_s << u"2024-02-10"_s;
    QTest::newRow("last of January, purchases") << u"--day"_s << u"2024-01-31"_s << 1 << u"2024-01-31"_s << u"2024-01-31"_s;
    QTest::newRow("January, sales") << u"--month"_s << u"2024-01"_s << 0 << u"2024-01-01"_s << u"2024-01-31"_s;
    QTest::newRow("February, sales") << u"--month"_s << u"2024-02"_s << 0 << u"2024-02-01"_s << u"2024-02-29"_s;
    QTest::newRow("February, purchases") << u"--month"_s << u"2024-02"_s << 1 << u"2024-02-01"_s << u"2024-02-29"_s;
    QTest::newRow("March, purchases") << u"--month"_s << u"2024-03"_s << 1 << u"2024-03-01"_s << u"2024-03-31"_s;
}

void TestOfficeCommands::reportTotals()
{
    QFETCH(QString, kind);
    QFETCH(QString, date);
    QFETCH(int, alsat);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const QList<Movement> movements = insertMovements();

    QMap<QString, qint64> grams;
    for (const Movement &m : movements) {
        if (m.alsat == alsat && m.tarih >= first && m.tarih <= last)
            grams[m.product] += m.grams;
    }
    QByteArray expected = "Ürün,Kilo\r\n";
    for (const QString &product : Products) {
        if (grams.value(product) != 0)
            expected += (product + u',' + gramsText(grams.value(product)) + u"\r\n"_s).toUtf8();
    }
    QVERIFY(!expected.contains("Sucuk"));

    QStringList arguments{u"report"_s, kind, date, u"--csv"_s, file(u"totals.csv"_s)};
    if (alsat == 1)
        arguments << u"--purchase"_s;
    QCOMPARE(tavran(arguments).code, 0);
    QCOMPARE(readFile(file(u"totals.csv"_s)), expected);
}

void TestOfficeCommands::reportSummaryOnPaperAndScreen()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    const QList<Movement> movements = insertMovements();
    m_station->writeStationFile(u"Tavran.Txt"_s, "\"Tavran Et Entegre\"\r\n");
    qint64 total = 0;
    for (const Movement &m : movements) {
        if (m.alsat == 0 && m.tarih.startsWith(u"2024-02"_s))
            total += m.grams;
    }
    const QString totalText = QLocale(QLocale::Turkish).toString(total / 1000.0, 'f', 3);

    QCOMPARE(tavran({u"report"_s, u"--month"_s, u"2024-02"_s, u"--pdf"_s, file(u"s.pdf"_s)}).code, 0);
    // Written under a private temporary name, but readable like any document.
    QVERIFY(QFileInfo(file(u"s.pdf"_s)).permissions() & QFile::ReadOther);
    const QString text = PrintTools::pdfText(file(u"s.pdf"_s));
    for (const QString &line : {u"Tavran Et Entegre"_s, u"Aylık Sevk"_s, u"Şubat Ayı"_s,
                                u"Koç'un Eti"_s, QString(u"Toplam : "_s + totalText + u" Kg"_s)})
        QVERIFY2(text.contains(line), qPrintable(line + u" not in:\n"_s + text));
    QVERIFY(!text.contains(u"Sucuk"_s));

    const Result shown = tavran({u"report"_s, u"--month"_s, u"2024-02"_s});
    QCOMPARE(shown.code, 0);
    const QStringList lines = shown.out.trimmed().split(u'\n');
    QVERIFY2(QRegularExpression(u"^Toplam +"_s + QRegularExpression::escape(totalText) + u"$"_s)
                 .match(lines.last()).hasMatch(), qPrintable(shown.out));
    // The kilograms end in one column.
    QCOMPARE(lines.filter(u"Koç'un Eti"_s).value(0).size(), lines.last().size());
    QCOMPARE(lines.value(2).size(), lines.last().size());
}

void TestOfficeCommands::slipReprintBooksNothing()
{
    SKIP_WITHOUT(u"pdftotext"_s, u"pdftoppm"_s, u"zbarimg"_s);
    insertOrder();
    insertRows(folder(), Schema::File::Stok, u"INSERT INTO StokTmp(\"Ürün\", Kilo) VALUES (?, ?)"_s,
               {{u"Rapordan Kalan"_s, 9.0}});
    const auto snapshot = [this] {
        return tableRows(folder(), Schema::File::Tavran, u"Tart"_s)
               + tableRows(folder(), Schema::File::Stok, u"StokHaraket"_s)
               + tableRows(folder(), Schema::File::Stok, u"StokTmp"_s);
    };
    const QStringList before = snapshot();

    const Result run = tavran({u"slip"_s, u"--pdf"_s, file(u"slip.pdf"_s), u"--customer"_s,
                               u"Şükrü'nün Kasabı"_s});
    QCOMPARE(run.code, 0);
    QCOMPARE(snapshot(), before);

    const QString text = PrintTools::pdfText(file(u"slip.pdf"_s));
    for (const QString &line : {u"Şükrü'nün Kasabı"_s, u"Koç'un Eti"_s, u"4,250 Kg"_s,
                                u"Toplam Kilo = 6,750 Kg"_s, u"Sipariş Fişidir."_s})
        QVERIFY2(text.contains(line), qPrintable(line + u" not in:\n"_s + text));
    QCOMPARE(PrintTools::pdfPages(file(u"slip.pdf"_s)), 1);

    QCOMPARE(barcodesOn(file(u"slip.pdf"_s), m_station->root()), orderBarcodes());
}

void TestOfficeCommands::slipReprintOnTheRememberedQueue()
{
    SKIP_WITHOUT(u"pdftoppm"_s, u"zbarimg"_s);
    if (const QString problem = PrintTools::cupsQueueProblem(u"Fis"_s); !problem.isEmpty())
        QSKIP(qPrintable(problem));
    insertOrder();
    QCOMPARE(tavran({u"config"_s, u"set"_s, u"FisYaz"_s, u"Fis"_s}).code, 0);
    const QDir queue(PrintTools::cupsOutputDir(u"Fis"_s));
    const QStringList before = queue.entryList({u"*.pdf"_s}, QDir::Files);

    QCOMPARE(tavran({u"slip"_s}).code, 0);
    QString arrived;
    QVERIFY(QTest::qWaitFor(
        [&] {
            for (const QString &name : queue.entryList({u"*.pdf"_s}, QDir::Files)) {
                if (!before.contains(name) && readFile(queue.filePath(name)).trimmed().endsWith("%%EOF"))
                    arrived = queue.filePath(name);
            }
            return !arrived.isEmpty();
        },
        20000));
    QCOMPARE(barcodesOn(arrived, m_station->root()), orderBarcodes());

    // A remembered queue that is gone is named, not swapped for another printer.
    QCOMPARE(tavran({u"config"_s, u"set"_s, u"FisYaz"_s, u"Yok"_s}).code, 0);
    const Result gone = tavran({u"slip"_s});
    QCOMPARE(gone.code, 1);
    QVERIFY2(gone.err.contains(u"yazdırma sunucusunda «Yok» yazıcısı yok"_s), qPrintable(gone.err));
}

void TestOfficeCommands::everyPrintoutIsJournalled_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("printer");
    QTest::newRow("slip") << QStringList{u"slip"_s, u"--pdf"_s, u"@/s.pdf"_s, u"--customer"_s, u"Şükrü"_s}
                          << 0 << u"fiş"_s << u"PDF @/s.pdf"_s;
    QTest::newRow("slip that cannot be written")
        << QStringList{u"slip"_s, u"--pdf"_s, u"/no/such/s.pdf"_s} << 1 << u"fiş iptal"_s << u"PDF /no/such/s.pdf"_s;
    QTest::newRow("report") << QStringList{u"report"_s, u"--month"_s, u"2024-02"_s, u"--pdf"_s, u"@/r.pdf"_s}
                            << 0 << u"rapor"_s << u"PDF @/r.pdf"_s;
    QTest::newRow("report on no such printer")
        << QStringList{u"report"_s, u"--day"_s, u"2024-02-29"_s, u"--printer"_s, u"Yok Böyle"_s} << 1
        << u"rapor iptal"_s << u"Yok Böyle"_s;
}

void TestOfficeCommands::everyPrintoutIsJournalled()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, kind);
    QFETCH(QString, printer);
    insertOrder();
    arguments.replaceInStrings(u"@/"_s, m_station->root() + u'/');
    printer.replace(u"@/"_s, m_station->root() + u'/');
    QCOMPARE(tavran(arguments).code, code);

    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(JournalFile::path(folder()), {}, entries));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].kind, kind);
    QCOMPARE(entries[0].printer, printer);
    QVERIFY2(entries[0].staff.startsWith(u"komut satırı"_s), qPrintable(entries[0].staff));
    QCOMPARE(entries[0].reason.isEmpty(), code == 0);
    if (arguments[0] == u"slip"_s)
        QCOMPARE(entries[0].rows, std::optional<int>(3));
}

void TestOfficeCommands::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("output"); // a file the command must not leave behind

    const auto row = [](const char *name, QStringList arguments, int code, QString output = {}) {
        QTest::newRow(name) << arguments << code << output;
    };
    row("month 13", {u"report"_s, u"--month"_s, u"2026-13"_s}, 2);
    row("31 February", {u"report"_s, u"--day"_s, u"2026-02-31"_s}, 2);
    row("day in dots", {u"report"_s, u"--day"_s, u"31.02"_s}, 2);
    row("unknown option", {u"report"_s, u"--day"_s, u"2026-12-07"_s, u"--yesterday"_s}, 2);
    row("no period", {u"report"_s}, 2);
    row("day and month", {u"report"_s, u"--day"_s, u"2026-12-07"_s, u"--month"_s, u"2026-12"_s}, 2);
    row("two outputs", {u"report"_s, u"--month"_s, u"2026-12"_s, u"--csv"_s, u"a"_s, u"--pdf"_s, u"b"_s}, 2);
    row("days backwards", {u"movements"_s, u"--from"_s, u"2026-12-08"_s, u"--to"_s, u"2026-12-01"_s}, 2);
    row("sale and purchase", {u"movements"_s, u"--from"_s, u"2026-12-01"_s, u"--to"_s,
                              u"2026-12-08"_s, u"--sale"_s, u"--purchase"_s}, 2);
    row("import without file", {u"products"_s, u"import"_s}, 2);
    row("unknown encoding", {u"customers"_s, u"import"_s, u"x.csv"_s, u"--encoding"_s, u"latin5"_s}, 2);
    row("unknown action", {u"products"_s, u"sort"_s}, 2);
    row("missing file", {u"products"_s, u"import"_s, u"/no/such.csv"_s}, 1);
    row("mistyped station folder", {u"--data-dir"_s, u"@/stasyon"_s, u"products"_s, u"import"_s,
                                    u"@/p.csv"_s}, 1, u"@/stasyon"_s);
    row("folder not there", {u"report"_s, u"--month"_s, u"2026-12"_s, u"--csv"_s, u"/no/such/r.csv"_s}, 1,
        u"/no/such/r.csv"_s);
    row("no such printer", {u"report"_s, u"--month"_s, u"2026-12"_s, u"--printer"_s, u"Yok Böyle"_s}, 1);
    row("empty order", {u"slip"_s, u"--pdf"_s, u"@/slip.pdf"_s}, 1, u"@/slip.pdf"_s);
    row("help", {u"report"_s, u"--help"_s}, 0);
    row("import help", {u"customers"_s, u"import"_s, u"--help"_s}, 0);
    row("movements to a file", {u"movements"_s, u"--from"_s, u"2026-12-01"_s, u"--to"_s,
                                u"2026-12-31"_s, u"--csv"_s, u"@/m.csv"_s}, 0);
}

void TestOfficeCommands::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, output);
    QVERIFY(DemoStation::create(folder()));
    writeFile(file(u"p.csv"_s), "Barkod,Ürün\n2000009,Yeni\n");
    arguments.replaceInStrings(u"@/"_s, m_station->root() + u'/');
    output.replace(u"@/"_s, m_station->root() + u'/');

    const Result run = tavran(arguments);
    QCOMPARE(run.code, code);
    if (code == 2)
        QCOMPARE(run.err.trimmed().count(u'\n'), 0);
    if (code == 0 && arguments.contains(u"--help"_s))
        QVERIFY(run.out.startsWith(u"kullanım: tavran "_s) && !run.out.contains(u"Kullanım:"_s));
    if (!output.isEmpty())
        QCOMPARE(QFile::exists(output), code == 0);
    if (code == 0 && !output.isEmpty())
        QVERIFY(readFile(output).startsWith("Tarih,Ürün,Kilo,Yön\r\n"));
    // Nothing half-written is left beside the target.
    QCOMPARE(QDir(m_station->root()).entryList({u"*.??????"_s}, QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestOfficeCommands)
#include "test_office_commands.moc"
