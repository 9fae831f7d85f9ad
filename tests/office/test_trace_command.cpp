#include "data/CentralDatabase.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Program = QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s;
const QString Gtin = u"08690000000012"_s; // check digit 2
const QChar GS(0x1d);

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result tavran(const QStringList &arguments)
{
    QProcess process;
    process.start(Program, arguments);
    Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QVariant none()
{
    return QVariant(QMetaType::fromType<QString>());
}

// Two titles of one customer equal but for case, packages of two lots and one
// without a lot (its production date stands for it), booked and not.
bool seed(const QSqlDatabase &cari, const QSqlDatabase &stok)
{
    QSqlQuery query(cari);
    bool ok = query.prepare(u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") VALUES (?, ?, ?)"_s);
    for (const QString &title : {u"Kasap Ali"_s, u"KASAP ALİ"_s, u"Bereket Market"_s}) {
        query.addBindValue(title.left(3));
        query.addBindValue(title);
        query.addBindValue(u"Müşteri"_s);
        ok = ok && query.exec();
    }
    QSqlQuery extra(stok);
    ok = ok && extra.prepare(u"INSERT INTO \"StokEk\"(\"Ürün\", \"GTIN\") VALUES (?, ?)"_s);
    extra.addBindValue(u"Dana Kıyma"_s);
    extra.addBindValue(Gtin);
    ok = ok && extra.exec();

    QSqlQuery package(stok);
    ok = ok && package.prepare(
        u"INSERT INTO \"Paket\"(\"Anahtar\", \"Zaman\", \"Istasyon\", \"Ürün\", \"Kilo\", \"Parti\", "
        u"\"Hayvan\", \"EtiketBarkod\", \"Cari\", \"Alsat\", \"Tarih\") "
        u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    const QList<QVariantList> rows = {
        {u"2026-12-01T10:00:00"_s, u"A"_s, u"Dana Kıyma"_s, 1.234, u"L-1"_s, u"TR01"_s,
         QString(u"(01)"_s + Gtin + u"(3103)001234(10)L-1"_s), u"Kasap Ali"_s, 0, u"2026-12-02"_s},
        {u"2026-12-01T10:05:00"_s, u"B"_s, u"Dana Kıyma"_s, 2.5, u"L-1"_s, u"TR01"_s,
         u"2000001025009"_s, none(), none(), none()},
        {u"2026-12-01T11:00:00"_s, u"A"_s, u"Şiş Kebap"_s, 0.75, u"L-2"_s, none(),
         u"2000002007503"_s, u"KASAP ALİ"_s, 0, u"2026-12-02"_s},
        {u"2026-12-01T11:30:00"_s, u"A"_s, u"Çiğ Köfte"_s, 1.0, u"L-1"_s, none(),
         u"2000003010001"_s, u"Kasap Ali"_s, 0, u"2026-12-03"_s},
        {u"2026-12-01T12:00:00"_s, u"A"_s, u"Dana Kıyma"_s, 1.5, u"L-1"_s, u"TR02"_s,
         u"2000001015002"_s, u"Kasap Ali"_s, 0, u"2026-12-02"_s},
        {u"2026-12-01T13:00:00"_s, u"B"_s, u"Dana Kıyma"_s, 0.5, u"2026-12-01"_s, none(),
         u"2000001005003"_s, u"Bereket Market"_s, 0, u"2026-12-02"_s},
    };
    int key = 0;
    for (const QVariantList &row : rows) {
        package.addBindValue(u"k%1"_s.arg(++key));
        for (const QVariant &value : row)
            package.addBindValue(value);
        ok = ok && package.exec();
    }
    return ok;
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"(none)"_s;
}

} // namespace

class TestTraceCommand : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void badArguments_data();
    void badArguments();
    void readsByTheIndexes_data();
    void readsByTheIndexes();
};

void TestTraceCommand::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("csv");   // the file's records after the heading
    QTest::addColumn<QStringList>("shown"); // texts the table shows

    const QString dana = u"L-1,2026-12-01T10:%1:00,%2,Dana Kıyma,%3,TR01,%4,%5,%6"_s;
    QStringList lotOne{dana.arg(u"00"_s, u"A"_s, u"1.234"_s, u"(01)"_s + Gtin + u"(3103)001234(10)L-1"_s,
                                u"Kasap Ali"_s, u"2026-12-02"_s),
                       dana.arg(u"05"_s, u"B"_s, u"2.500"_s, u"2000001025009"_s, QString(), QString()),
                       u"L-1,2026-12-01T11:30:00,A,Çiğ Köfte,1.000,,2000003010001,Kasap Ali,2026-12-03"_s,
                       u"L-1,2026-12-01T12:00:00,A,Dana Kıyma,1.500,TR02,2000001015002,Kasap Ali,2026-12-02"_s};
    const QStringList lotShown{u"4 paket"_s, u"6,234"_s, u"fişe girmedi"_s, u"01.12.2026 10:05:00"_s};
    const QString dateLot =
        u"2026-12-01,2026-12-01T13:00:00,B,Dana Kıyma,0.500,,2000001005003,Bereket Market,2026-12-02"_s;

    for (const bool server : {false, true}) {
        const auto row = [server](const char *name) {
            return &QTest::newRow(qPrintable((server ? u"central: "_s : u"folder: "_s)
                                             + QString::fromUtf8(name)));
        };
        *row("lot, booked and not, in the order weighed")
            << QStringList{u"--lot"_s, u"L-1"_s} << lotOne << lotShown;
        *row("unknown lot") << QStringList{u"--lot"_s, u"l-1"_s} << QStringList()
                            << QStringList{u"Parti l-1: paket bulunamadı"_s};
        *row("label's EAN-13 as a scanner ends it")
            << QStringList{u"--package"_s, u"2000001015002\r\n"_s} << lotOne.mid(3)
            << QStringList{u"1 paket"_s, u"TR02"_s};
        *row("GS1 text recorded on the label")
            << QStringList{u"--package"_s, u"(01)"_s + Gtin + u"(3103)001234(10)L-1"_s}
            << lotOne.mid(0, 1) << QStringList{u"Kasap Ali"_s};
        // Found through lot, weight and GTIN, not the recorded text.
        *row("raw GS1 with prefix and GS")
            << QStringList{u"--package"_s, u"]C101"_s + Gtin + u"10L-1"_s + GS + u"3103002500"_s}
            << lotOne.mid(1, 1) << QStringList{u"fişe girmedi"_s};
        *row("bracketed in another field order")
            << QStringList{u"--package"_s, u"(10)L-1(3102)000150(01)"_s + Gtin} << lotOne.mid(3)
            << QStringList{u"1,500"_s};
        *row("production date as the lot")
            << QStringList{u"--package"_s, u"]d201"_s + Gtin + u"11261201310300050"_s + u'0'}
            << QStringList{dateLot} << QStringList{u"Bereket Market"_s};
        *row("GS1 weight of no package")
            << QStringList{u"--package"_s, u"(01)"_s + Gtin + u"(3103)001235(10)L-1"_s} << QStringList()
            << QStringList{u"paket bulunamadı"_s};
        *row("customer by any case, lots merged over titles, days bounded")
            << QStringList{u"--customer"_s, u"kasap ali"_s, u"--from"_s, u"2026-12-01"_s, u"--to"_s,
                           u"2026-12-02"_s}
            << QStringList{u"2026-12-02,SATIŞ,Dana Kıyma,L-1,2,2.734"_s,
                           u"2026-12-02,SATIŞ,Şiş Kebap,L-2,1,0.750"_s}
            << QStringList{u"kasap ali, 01.12.2026 - 02.12.2026"_s, u"02.12.2026"_s, u"3,484"_s};
        *row("customer's later day")
            << QStringList{u"--customer"_s, u"KASAP ALİ"_s, u"--from"_s, u"2026-12-03"_s, u"--to"_s,
                           u"2026-12-31"_s}
            << QStringList{u"2026-12-03,SATIŞ,Çiğ Köfte,L-1,1,1.000"_s} << QStringList{u"Çiğ Köfte"_s};
    }
}

void TestTraceCommand::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, csv);
    QFETCH(QStringList, shown);
    const bool server = QString::fromUtf8(QTest::currentDataTag()).startsWith(u"central"_s);

    TestStation station;
    QStringList prefix{u"--data-dir"_s, station.stationDir()};
    if (server) {
        TAVRAN_REQUIRE_POSTGRES(location);
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
        QVERIFY(seed(central.database(), central.database()));
        prefix << u"--database"_s << location->display();
    } else {
        const QDir dir(station.stationDir());
        StationDatabase cari(dir.filePath(u"Cari.db"_s), Schema::File::Cari);
        StationDatabase stok(dir.filePath(u"Stok.db"_s), Schema::File::Stok);
        QVERIFY(seed(cari.database(), stok.database()));
    }

    const Result table = tavran(prefix + QStringList{u"trace"_s} + arguments);
    QCOMPARE(table.code, 0);
    for (const QString &text : shown)
        QVERIFY2(table.out.contains(text), qPrintable(text + u" not in\n"_s + table.out));

    const QString path = station.root() + u"/iz.csv"_s;
    const Result file = tavran(prefix + QStringList{u"trace"_s} + arguments + QStringList{u"--csv"_s, path});
    QCOMPARE(file.code, 0);
    QStringList records = readFile(path).split(u"\r\n"_s);
    QCOMPARE(records.takeLast(), QString());
    records.removeFirst();
    QCOMPARE(records, csv);
}

void TestTraceCommand::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("no question") << QStringList() << u"yalnız biri"_s;
    QTest::newRow("two questions")
        << QStringList{u"--lot"_s, u"L-1"_s, u"--package"_s, u"x"_s} << u"yalnız biri"_s;
    QTest::newRow("empty lot") << QStringList{u"--lot"_s, u" "_s} << u"--lot boş"_s;
    QTest::newRow("dates without a customer")
        << QStringList{u"--lot"_s, u"L-1"_s, u"--from"_s, u"2026-12-01"_s} << u"yalnız --customer"_s;
    QTest::newRow("customer without dates")
        << QStringList{u"--customer"_s, u"Ali"_s, u"--from"_s, u"2026-12-01"_s} << u"gerekli"_s;
    QTest::newRow("no such day")
        << QStringList{u"--customer"_s, u"Ali"_s, u"--from"_s, u"2026-02-30"_s, u"--to"_s, u"2026-03-01"_s}
        << u"geçersiz tarih: 2026-02-30"_s;
    QTest::newRow("days reversed")
        << QStringList{u"--customer"_s, u"Ali"_s, u"--from"_s, u"2026-03-02"_s, u"--to"_s, u"2026-03-01"_s}
        << u"sonra"_s;
    QTest::newRow("GTIN check digit")
        << QStringList{u"--package"_s, u"(01)08690000000013(10)L-1"_s} << u"denetim hanesi"_s;
    QTest::newRow("weight field too short")
        << QStringList{u"--package"_s, u"(01)"_s + Gtin + u"(3103)1234"_s} << u"6 hane"_s;
    QTest::newRow("lot too long")
        << QStringList{u"--package"_s, u"(10)ABCDEFGHIJKLMNOPQRSTU"_s} << u"20 karakter"_s;
    QTest::newRow("lot outside the GS1 characters")
        << QStringList{u"--package"_s, u"(01)"_s + Gtin + u"(10)L#1"_s} << u"karakter kümesi"_s;
    QTest::newRow("raw field the code does not know")
        << QStringList{u"--package"_s, u"]C101"_s + Gtin + u"55123"_s} << u"tanınmayan alan"_s;
    QTest::newRow("text before the first field")
        << QStringList{u"--package"_s, u"(x)(01)"_s + Gtin} << u"(AI) ile başlamalı"_s;
}

void TestTraceCommand::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    TestStation station;
    const Result result = tavran(QStringList{u"--data-dir"_s, station.stationDir(), u"trace"_s} + arguments);
    QCOMPARE(result.code, 2);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.out, QString());
}

void TestTraceCommand::readsByTheIndexes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("values");
    QTest::addColumn<QString>("index");
    const SqlDialect &sqlite = SqlDialect::sqlite();
    QTest::newRow("lot") << sqlite.packagesOfLotSql() << 1 << u"PaketParti"_s;
    QTest::newRow("label") << sqlite.packagesOfLabelSql() << 1 << u"PaketEtiket"_s;
    QTest::newRow("customer") << sqlite.lotsDeliveredSql() << 3 << u"PaketCariTarih"_s;
}

// A million packages answer at once only when no statement reads the table
// through: each searches its index, in the order it lists (no sorting).
void TestTraceCommand::readsByTheIndexes()
{
    QFETCH(QString, sql);
    QFETCH(int, values);
    QFETCH(QString, index);
    TestStation station;
    StationDatabase stok(station.stationDir() + u"/Stok.db"_s, Schema::File::Stok);
    QSqlQuery plan(stok.database());
    QVERIFY(plan.prepare(u"EXPLAIN QUERY PLAN "_s + sql));
    for (int i = 0; i < values; ++i)
        plan.addBindValue(u"x"_s);
    QVERIFY(plan.exec());
    QStringList steps;
    while (plan.next())
        steps << plan.value(3).toString();
    QVERIFY2(steps.first().startsWith(u"SEARCH p USING INDEX "_s + index)
                 || steps.first().startsWith(u"SEARCH Paket USING INDEX "_s + index),
             qPrintable(steps.join(u'\n')));
    for (const QString &step : steps)
        QVERIFY2(!step.startsWith(u"SCAN"_s) && !step.contains(u"ORDER BY"_s), qPrintable(step));
}

QTEST_GUILESS_MAIN(TestTraceCommand)
#include "test_trace_command.moc"
