#include "journal/JournalCommand.h"
#include "journal/JournalFile.h"
#include "support/TestStation.h"

#include <QFile>
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

private:
    int run(const QStringList &arguments, QString *out = nullptr);
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

int TestJournalCommand::run(const QStringList &arguments, QString *out)
{
    QString text;
    QString err;
    QTextStream outStream(&text);
    QTextStream errStream(&err);
    const int code = JournalCommand::run(QStringList{u"journal"_s} + arguments, m_station.stationDir(),
                                         outStream, errStream);
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

QTEST_GUILESS_MAIN(TestJournalCommand)
#include "test_journal_command.moc"
