#include "journal/JournalCommand.h"
#include "journal/JournalFile.h"
#include "support/TestStation.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestJournalCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listsTheChosenEntries_data();
    void listsTheChosenEntries();
    void csvKeepsEveryField();
    void verifyNamesTheFirstBrokenLink_data();
    void verifyNamesTheFirstBrokenLink();
    void journalOfOldStaysReadable();

private:
    int run(const QStringList &arguments, QString *out = nullptr, const QString &folder = {});
    TestStation m_station;
};

void TestJournalCommand::initTestCase()
{
    const QString file = JournalFile::path(m_station.stationDir());
    const struct { const char *time; QString staff; QString product; } rows[] = {
        {"2026-12-24T23:59:59", u"Ahmet Yılmaz"_s, u"Sucuk"_s},
        {"2026-12-25T00:00:00", u"Ayşe Demir"_s, u"Dana \"Özel\", kemiksiz"_s},
        {"2026-12-25T18:30:00", u"Ahmet Yılmaz"_s, u"Kuzu But"_s},
        {"2026-12-27T08:00:00", u"Ahmet Yılmaz"_s, u"Hindi Göğüs"_s},
    };
    for (const auto &row : rows) {
        JournalEntry e;
        e.time = QDateTime::fromString(QString::fromLatin1(row.time), Qt::ISODate);
        e.station = u"Kesimhane 2"_s;
        e.staff = row.staff;
        e.kind = JournalKind::Product;
        e.product = row.product;
        e.kilograms = 1.5;
        QVERIFY(JournalFile::append(file, e));
    }
}

int TestJournalCommand::run(const QStringList &arguments, QString *out, const QString &folder)
{
    QString text;
    QString err;
    QTextStream outStream(&text);
    QTextStream errStream(&err);
    const int code = JournalCommand::run(QStringList{u"journal"_s} + arguments,
                                         folder.isEmpty() ? m_station.stationDir() : folder, outStream, errStream);
    if (out)
        *out = text;
    return code;
}

void TestJournalCommand::listsTheChosenEntries_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("products");
    QTest::newRow("everything") << QStringList() << 0
                                << QStringList{u"Sucuk"_s, u"Dana"_s, u"Kuzu But"_s, u"Hindi Göğüs"_s};
    QTest::newRow("one day, midnight to midnight")
        << QStringList{u"--day"_s, u"2026-12-25"_s} << 0 << QStringList{u"Dana"_s, u"Kuzu But"_s};
    QTest::newRow("a range and one member")
        << QStringList{u"--from"_s, u"2026-12-25"_s, u"--to"_s, u"2026-12-27"_s, u"--staff"_s, u"Ahmet Yılmaz"_s}
        << 0 << QStringList{u"Kuzu But"_s, u"Hindi Göğüs"_s};
    QTest::newRow("not a date") << QStringList{u"--day"_s, u"25.12.2026"_s} << 2 << QStringList();
    QTest::newRow("a day and a range") << QStringList{u"--day"_s, u"2026-12-25"_s, u"--to"_s, u"2026-12-27"_s}
                                       << 2 << QStringList();
}

void TestJournalCommand::listsTheChosenEntries()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, products);
    QString out;
    QCOMPARE(run(arguments, &out), exitCode);
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), products.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].contains(u"ürün="_s + products[i]), qPrintable(lines[i]));
}

void TestJournalCommand::csvKeepsEveryField()
{
    const QString csv = m_station.root() + u"/journal.csv"_s;
    QCOMPARE(run({u"--day"_s, u"2026-12-25"_s, u"--csv"_s, csv}), 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[1].contains(u"\"Dana \"\"Özel\"\", kemiksiz\""_s), qPrintable(lines[1]));
    QVERIFY2(lines[1].contains(u"\"1,500\""_s), qPrintable(lines[1]));
}

namespace {

JournalEntry productEntry(double kilograms)
{
    JournalEntry e;
    e.staff = u"Ayşe Demir"_s;
    e.kind = JournalKind::Product;
    e.product = u"Kuzu But"_s;
    e.kilograms = kilograms;
    return e;
}

// What someone with the sqlite3 shell does to the file.
bool shell(const QString &file, const QString &sql)
{
    QProcess sqlite;
    sqlite.start(u"sqlite3"_s, {file, sql});
    return sqlite.waitForFinished() && sqlite.exitCode() == 0;
}

} // namespace

void TestJournalCommand::verifyNamesTheFirstBrokenLink_data()
{
    QTest::addColumn<QString>("sql");      // run on the file after five entries; "rm": the file deleted
    QTest::addColumn<int>("entriesAfter"); // written by the station afterwards
    QTest::addColumn<QString>("verdict");  // empty: intact
    const QString unkept = u"DROP TRIGGER entry_kept; "_s;
    const QString undeleted = u"DROP TRIGGER entry_not_deleted; "_s;
    QTest::newRow("untouched") << QString() << 1 << QString();
    QTest::newRow("a weight changed") << unkept + u"UPDATE entry SET kilograms = 9 WHERE id = 3"_s << 0
                                      << u"Kayıt 3: içeriği"_s;
    QTest::newRow("a weight changed, the station goes on")
        << unkept + u"UPDATE entry SET kilograms = 9 WHERE id = 3"_s << 2 << u"Kayıt 3: içeriği"_s;
    QTest::newRow("an entry deleted") << undeleted + u"DELETE FROM entry WHERE id = 2"_s << 0
                                      << u"Kayıt 2: kayıt yok"_s;
    QTest::newRow("a link removed") << unkept + u"UPDATE entry SET hash = NULL WHERE id = 4"_s << 0
                                    << u"Kayıt 4: zincir halkası silinmiş"_s;
    QTest::newRow("every link removed") << unkept + u"UPDATE entry SET hash = NULL"_s << 0
                                        << u"Kayıt 5: istasyon anahtarının bildiği son kayıt yok"_s;
    QTest::newRow("the last entries cut off") << undeleted + u"DELETE FROM entry WHERE id >= 4"_s << 0
                                              << u"Kayıt 4: kayıt yok"_s;
    QTest::newRow("the last entries cut off and counted again")
        << undeleted + u"DELETE FROM entry WHERE id >= 4; UPDATE sqlite_sequence SET seq = 3"_s << 1
        << u"Kayıt 5: kayıt yok"_s;
    QTest::newRow("the file deleted") << u"rm"_s << 0 << u"Kayıt 5: Journal.db yok"_s;
    QTest::newRow("the file deleted and started again") << u"rm"_s << 6 << u"Kayıt 5: istasyon anahtarındaki"_s;
}

void TestJournalCommand::verifyNamesTheFirstBrokenLink()
{
    QFETCH(QString, sql);
    QFETCH(int, entriesAfter);
    QFETCH(QString, verdict);
    TestStation station;
    const QString file = JournalFile::path(station.stationDir());
    for (int i = 1; i <= 5; ++i)
        QVERIFY(JournalFile::append(file, productEntry(i * 1.125)));
    if (sql == u"rm"_s)
        QVERIFY(QFile::remove(file));
    else if (!sql.isEmpty())
        QVERIFY(shell(file, sql));
    for (int i = 0; i < entriesAfter; ++i)
        QVERIFY(JournalFile::append(file, productEntry(0.5)));

    QString out;
    const int code = run({u"--verify"_s}, &out, station.stationDir());
    QCOMPARE(code, verdict.isEmpty() ? 0 : 1);
    QVERIFY2(out.startsWith(verdict.isEmpty() ? u"Kayıt defteri sağlam: 6 kayıt"_s : verdict), qPrintable(out));
}

void TestJournalCommand::journalOfOldStaysReadable()
{
    TestStation station;
    const QString file = JournalFile::path(station.stationDir());
    // As a station before the chain left it.
    QVERIFY(shell(file, u"CREATE TABLE entry(id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, "
                        "station TEXT NOT NULL, staff TEXT NOT NULL, kind TEXT NOT NULL, product TEXT, "
                        "kilograms REAL, barcode TEXT, barkod TEXT, production_date TEXT, use_by_date TEXT, "
                        "printer TEXT, customer TEXT, rows INTEGER, sale_purchase TEXT, reason TEXT, detail TEXT);"
                        "INSERT INTO entry(time, station, staff, kind) VALUES "
                        "('2026-01-02T08:00:00', 'Kesimhane', 'Veli', 'giriş'), "
                        "('2026-01-02T08:01:00', 'Kesimhane', 'Veli', 'ürün')"_s));
    QVERIFY(JournalFile::append(file, productEntry(1.5)));
    QVERIFY(JournalFile::append(file, productEntry(2.5)));
    QString out;
    QCOMPARE(run({u"--verify"_s}, &out, station.stationDir()), 0);
    QVERIFY2(out.startsWith(u"Kayıt defteri sağlam: 2 kayıt zincirde, 2 eski kayıt"_s), qPrintable(out));
    QCOMPARE(run({}, &out, station.stationDir()), 0);
    QCOMPARE(out.count(u'\n'), 4);
}

QTEST_GUILESS_MAIN(TestJournalCommand)
#include "test_journal_command.moc"
