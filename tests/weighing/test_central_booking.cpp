#include "data/CentralDatabase.h"
#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "support/TestPostgres.h"
#include "weighing/CentralBooking.h"
#include "support/TestStation.h"
#include "BookingLedger.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString urlOf(const DatabaseLocation &location)
{
    return location.display();
}

using Ledger = BookingLedger;

Ledger readLedger(const DatabaseLocation &location, const QStringList &folders)
{
    CentralDatabase central(location);
    if (!central.open())
        return {0, 0, {central.lastError()}};
    QHash<QString, int> movements;
    QSqlQuery query(central.database());
    if (!query.exec(u"SELECT \"Ürün\" FROM \"StokHaraket\""_s))
        return {0, 0, {u"movements unreadable"_s}};
    while (query.next())
        ++movements[query.value(0).toString()];
    return Ledger::check(movements, folders);
}

std::unique_ptr<QProcess> startLoop(const QString &folder, const DatabaseLocation &location)
{
    auto loop = std::make_unique<QProcess>();
    loop->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    loop->start(QStringLiteral(BOOKING_LOOP), {folder, u"--database"_s, urlOf(location)});
    return loop;
}

int bookOnce(const QString &folder, const DatabaseLocation &location)
{
    return QProcess::execute(QStringLiteral(BOOKING_LOOP),
                             {folder, u"--once"_s, u"--database"_s, urlOf(location)});
}

} // namespace

class TestCentralBooking : public QObject
{
    Q_OBJECT
private slots:
    void stationsBookEachRowOnceThroughTrouble_data();
    void stationsBookEachRowOnceThroughTrouble();
    void unreachableServerLeavesRowsForTheNextPrint();
    void stoppedAfterTheServerTookTheRows();
};

void TestCentralBooking::stationsBookEachRowOnceThroughTrouble_data()
{
    QTest::addColumn<int>("stations");     // folders
    QTest::addColumn<int>("perFolder");    // processes booking each folder at once
    QTest::addColumn<QString>("trouble");  // "kill", "restart", "cut"

    QTest::newRow("killed station, retried") << 1 << 1 << u"kill"_s;
    QTest::newRow("two stations at once, one folder twice") << 2 << 2 << u"none"_s;
    QTest::newRow("server restarted mid booking") << 2 << 1 << u"restart"_s;
    QTest::newRow("connections cut mid booking") << 2 << 1 << u"cut"_s;
}

void TestCentralBooking::stationsBookEachRowOnceThroughTrouble()
{
    QFETCH(int, stations);
    QFETCH(int, perFolder);
    QFETCH(QString, trouble);
    TAVRAN_REQUIRE_POSTGRES(location);
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    }
    std::vector<std::unique_ptr<TestStation>> folders;
    QStringList paths;
    for (int i = 0; i < stations; ++i) {
        folders.push_back(std::make_unique<TestStation>());
        paths << folders.back()->stationDir();
    }

    const int rounds = trouble == u"kill"_s ? 15 : 3;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> loops;
        for (const QString &path : std::as_const(paths))
            for (int i = 0; i < perFolder; ++i)
                loops.push_back(startLoop(path, *location));
        for (const auto &loop : loops)
            QVERIFY(loop->waitForStarted());
        QTest::qSleep(150 + 37 * round);
        if (trouble == u"restart"_s)
            QVERIFY(TestPostgres::restartServer());
        else if (trouble == u"cut"_s)
            QVERIFY(TestPostgres::cutConnections(*location));
        if (trouble == u"restart"_s || trouble == u"cut"_s)
            QTest::qSleep(300); // the stations come back and book on
        for (const auto &loop : loops) {
            QCOMPARE(loop->state(), QProcess::Running); // still booking, not given up
            loop->kill();
            QVERIFY(loop->waitForFinished());
        }
    }
    for (const QString &path : std::as_const(paths))
        QCOMPARE(bookOnce(path, *location), 0);
    const Ledger ledger = readLedger(*location, paths);
    QVERIFY2(ledger.faults.isEmpty(), qPrintable(ledger.faults.mid(0, 5).join(u"; "_s)));
    QVERIFY(ledger.rows > 0);
    QCOMPARE(ledger.booked, ledger.rows);
}

void TestCentralBooking::unreachableServerLeavesRowsForTheNextPrint()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    }
    TestStation station;
    const QString folder = station.stationDir();
    {
        StationDatabase tavran(QDir(folder).filePath(u"Tavran.db"_s), Schema::File::Tavran);
        QSqlQuery insert(tavran.database());
        QVERIFY(insert.exec(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES ('Sucuk', 2.5), ('Şiş', 1)"_s));
    }
    DatabaseLocation gone = *location;
    gone.port = 1; // nothing listens there
    QCOMPARE(bookOnce(folder, gone), 1);
    Ledger ledger = readLedger(*location, {folder});
    QVERIFY(ledger.faults.isEmpty());
    QCOMPARE(ledger.booked, 0);

    QCOMPARE(bookOnce(folder, *location), 0);
    QCOMPARE(bookOnce(folder, *location), 0); // nothing left, nothing added
    ledger = readLedger(*location, {folder});
    QVERIFY2(ledger.faults.isEmpty(), qPrintable(ledger.faults.join(u"; "_s)));
    QCOMPARE(ledger.booked, 2);
}

// The narrowest window: the server has committed the slip, the station dies
// before it clears Tamam. The next print must send the same keys.
void TestCentralBooking::stoppedAfterTheServerTookTheRows()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    TestStation station;
    StationDatabase tavran(QDir(station.stationDir()).filePath(u"Tavran.db"_s), Schema::File::Tavran);
    QSqlQuery insert(tavran.database());
    QVERIFY(insert.exec(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES ('Sucuk', 2.5), ('Şiş', 1)"_s));

    QList<CentralBooking::PendingRow> rows;
    QString failure;
    QVERIFY(CentralBooking::assignKeys(tavran, rows, failure));
    QCOMPARE(rows.size(), 2);
    QVERIFY2(CentralBooking::send(central, rows, {2026, 12, 8}, 0, failure), qPrintable(failure));

    const BookingResult retry = CentralBooking::book(central, tavran, {2026, 12, 8}, 0);
    QVERIFY2(retry.ok(), qPrintable(retry.failure));
    const Ledger ledger = readLedger(*location, {station.stationDir()});
    QVERIFY2(ledger.faults.isEmpty(), qPrintable(ledger.faults.join(u"; "_s)));
    QCOMPARE(ledger.booked, 2);
}

QTEST_GUILESS_MAIN(TestCentralBooking)
#include "test_central_booking.moc"
