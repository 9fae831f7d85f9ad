#include "data/CentralCopy.h"
#include "data/CentralDatabase.h"
#include "data/RecordSource.h"
#include "data/Recordset.h"
#include "data/SqlDialect.h"
#include "data/StationData.h"
#include "support/StalledServer.h"
#include "weighing/OrderBooking.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"
#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "support/TestPostgres.h"
#include "weighing/CentralBooking.h"
#include "weighing/OrderRows.h"
#include "weighing/PackageRun.h"
#include "support/TestStation.h"
#include "BookingLedger.h"
#include "TableRows.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QSignalSpy>
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

// Movements on the server by product; "?" when they cannot be read.
QHash<QString, int> movementCounts(const DatabaseLocation &location)
{
    CentralDatabase central(location);
    if (!central.open())
        return {{u"?"_s, 1}};
    QSqlQuery query(central.database());
    if (!query.exec(u"SELECT \"Ürün\" FROM \"StokHaraket\""_s))
        return {{u"?"_s, 1}};
    QHash<QString, int> movements;
    while (query.next())
        ++movements[query.value(0).toString()];
    return movements;
}

Ledger readLedger(const DatabaseLocation &location, const QStringList &folders)
{
    const QHash<QString, int> movements = movementCounts(location);
    if (movements.contains(u"?"_s))
        return {0, 0, {u"movements unreadable"_s}};
    return Ledger::check(movements, folders);
}

bool addOrderRows(const StationDatabase &tavran, const QStringList &products)
{
    QSqlQuery insert(tavran.database());
    bool ok = insert.prepare(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES (?, 1.5)"_s);
    for (const QString &product : products) {
        insert.bindValue(0, product);
        ok = ok && insert.exec();
    }
    return ok;
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
    void stoppedAfterTheServerTookTheRows_data();
    void stoppedAfterTheServerTookTheRows();
    void refusedRowsLeaveTheConnectionUsable_data();
    void refusedRowsLeaveTheConnectionUsable();
    void stalledServerNeverHoldsTheCaller_data();
    void stalledServerNeverHoldsTheCaller();
    void packagesWeighedOfflineReachTheServerTiedOnce();
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

void TestCentralBooking::stoppedAfterTheServerTookTheRows_data()
{
    QTest::addColumn<bool>("rowReplaced");
    QTest::newRow("order as sent") << false;
    QTest::newRow("last row removed, another weighed") << true;
}

// The narrowest window: the server has committed the slip, the station dies
// before it clears Tamam. The next print must send the same keys; a row
// weighed since takes a removed row's rowid but never its key.
void TestCentralBooking::stoppedAfterTheServerTookTheRows()
{
    QFETCH(bool, rowReplaced);
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    TestStation station;
    StationDatabase tavran(QDir(station.stationDir()).filePath(u"Tavran.db"_s), Schema::File::Tavran);
    QVERIFY(addOrderRows(tavran, {u"Sucuk"_s, u"Şiş"_s}));

    QList<CentralBooking::PendingRow> rows;
    QString failure;
    QVERIFY(CentralBooking::assignKeys(tavran, rows, failure));
    QCOMPARE(rows.size(), 2);
    QVERIFY2(CentralBooking::send(central, rows, {2026, 12, 8}, 0, failure), qPrintable(failure));
    QHash<QString, int> expected{{u"Sucuk"_s, 1}, {u"Şiş"_s, 1}};
    if (rowReplaced) {
        QVERIFY(QSqlQuery(tavran.database()).exec(u"DELETE FROM Tart WHERE \"Ürün\" = 'Şiş'"_s));
        QVERIFY(addOrderRows(tavran, {u"Kuşbaşı"_s}));
        expected.insert(u"Kuşbaşı"_s, 1);
    }

    const BookingResult retry = CentralBooking::book(central, tavran, {2026, 12, 8}, 0);
    QVERIFY2(retry.ok(), qPrintable(retry.failure));
    QCOMPARE(retry.booked, 2);
    QCOMPARE(movementCounts(*location), expected);
}

void TestCentralBooking::refusedRowsLeaveTheConnectionUsable_data()
{
    QTest::addColumn<QString>("work"); // what the server refuses part of
    QTest::newRow("booking an order") << u"book"_s;
    QTest::newRow("copying a folder") << u"copy"_s;
}

// A refused row ends the transaction on the server; the same connection
// must read the lists and reports right after, not answer "aborted".
void TestCentralBooking::refusedRowsLeaveTheConnectionUsable()
{
    QFETCH(QString, work);
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QSqlQuery server(central.database());
    QVERIFY(server.exec(u"ALTER TABLE \"StokHaraket\" ADD CONSTRAINT \"Bozuk\" "
                        u"CHECK (\"Ürün\" <> 'Bozuk')"_s));
    QVERIFY(server.exec(u"INSERT INTO \"Stok\"(\"Ürün\") VALUES ('Sucuk')"_s));

    TestStation station;
    const QDir dir(station.stationDir());
    if (work == u"book"_s) {
        StationDatabase tavran(dir.filePath(u"Tavran.db"_s), Schema::File::Tavran);
        QVERIFY(addOrderRows(tavran, {u"Sucuk"_s, u"Bozuk"_s}));
        QVERIFY(!CentralBooking::book(central, tavran, {2026, 12, 8}, 0).ok());
    } else {
        const StationDatabase cari(dir.filePath(u"Cari.db"_s), Schema::File::Cari);
        const StationDatabase stok(dir.filePath(u"Stok.db"_s), Schema::File::Stok);
        QSqlQuery insert(stok.database());
        QVERIFY(insert.exec(u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES "
                            u"('2026-12-08', 'Sucuk', 1, 0), ('2026-12-08', 'Bozuk', 1, 0)"_s));
        const CentralCopy::Result copied = CentralCopy::copy(central, station.stationDir(), true);
        QVERIFY(copied.failure.contains(u"Bozuk"_s));
    }
    Recordset products(central.database(), RecordSources::products(SqlDialect::postgres()));
    QVERIFY2(products.requery(), qPrintable(products.lastError()));
    QCOMPARE(products.recordCount(), 1);
    QVERIFY(ShipmentTotals::sum(central.database(), 0,
                                ReportPeriod(ReportPeriod::Kind::Day, {2026, 12, 8})));
    QCOMPARE(movementCounts(*location), (QHash<QString, int>{}));
}

void TestCentralBooking::stalledServerNeverHoldsTheCaller_data()
{
    QTest::addColumn<QString>("server"); // "silent", "backlogged", "locked"
    QTest::addColumn<QString>("work");
    QTest::newRow("accepts, never answers: booking") << u"silent"_s << u"book"_s;
    QTest::newRow("handshake never completes: report") << u"backlogged"_s << u"report"_s;
    QTest::newRow("movements locked by another session: booking") << u"locked"_s << u"book"_s;
}

// The window's thread hands the work over and goes on; the answer comes
// later, as a failure, with the order left for the next print.
void TestCentralBooking::stalledServerNeverHoldsTheCaller()
{
    QFETCH(QString, server);
    QFETCH(QString, work);
    StationData data; // outlives the lock, so its worker is let go at the end
    std::unique_ptr<StalledServer> stalled;
    std::unique_ptr<CentralDatabase> holder;
    QString url;
    if (server == u"locked"_s) {
        TAVRAN_REQUIRE_POSTGRES(location);
        holder = std::make_unique<CentralDatabase>(*location);
        QVERIFY(holder->initSchema() && holder->database().transaction());
        QVERIFY(QSqlQuery(holder->database())
                    .exec(u"LOCK TABLE \"StokHaraket\" IN EXCLUSIVE MODE"_s));
        url = location->display();
    } else {
        stalled = std::make_unique<StalledServer>(server == u"silent"_s
                                                      ? StalledServer::Kind::Silent
                                                      : StalledServer::Kind::Backlogged);
        QVERIFY(stalled->isListening());
        url = stalled->url();
    }
    TestStation station;
    data.bind(station.stationDir(), url);
    QVERIFY(data.link());
    QVERIFY(addOrderRows(*data.tavran(), {u"Sucuk"_s, u"Şiş"_s}));

    std::optional<QString> failure;
    if (work == u"book"_s) {
        OrderBooking::book(data, {2026, 12, 8}, 0, u"Ahmet"_s, this,
                           [&failure](const BookingResult &result) { failure = result.failure; });
    } else {
        ShipmentTotals::buildFor(data, 0, ReportPeriod(ReportPeriod::Kind::Day, {2026, 12, 8}),
                                 this, [&failure](std::optional<double> total) {
                                     failure = total ? QString() : u"okunamadı"_s;
                                 });
    }
    QVERIFY(!failure.has_value());
    QTRY_VERIFY_WITH_TIMEOUT(failure.has_value(), 40000);
    QVERIFY(!failure->isEmpty());
    QSqlQuery unbooked(data.tavran()->database());
    QVERIFY(unbooked.exec(u"SELECT count(*) FROM Tart WHERE Tamam <> 0"_s) && unbooked.next());
    QCOMPARE(unbooked.value(0).toInt(), 2);
}

namespace {

// The packages as "product kilo row label customer date", lightest first.
QStringList packageRows(const QSqlDatabase &db)
{
    return tableRows(db, u"SELECT \"Ürün\", \"Kilo\", \"TartSira\", \"EtiketBarkod\", \"Cari\", \"Tarih\" "
                         u"FROM \"Paket\" ORDER BY \"Kilo\""_s);
}

} // namespace

// Packages weighed while the server is away wait in the folder, go out once
// it answers, and are tied to the slip on the server and in the folder by
// the booking; booking again changes nothing.
void TestCentralBooking::packagesWeighedOfflineReachTheServerTiedOnce()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    TestStation station;
    DatabaseLocation gone = *location;
    gone.port = 1; // nothing listens there
    for (const DatabaseLocation &server : {gone, *location}) {
        StationData data;
        data.bind(station.stationDir(), urlOf(server));
        QVERIFY(RefreshDataControl(data.data3()));
        PackageRun run(data);
        QSignalSpy sent(&run, &PackageRun::sent);
        if (server.port == gone.port) {
            run.start();
            for (double kilo : {2.0, 1.5}) {
                PackageRecord package;
                package.product = u"Sucuk"_s;
                package.kilo = kilo;
                QVERIFY(run.add(package));
            }
            QString error;
            QVERIFY2(run.finish([&] {
                return OrderRows::addFinishedProduct(*data.data3().recordset(), u"Sucuk"_s, 3.5, u"2000001"_s);
            }, u"label"_s, &error), qPrintable(error));
        } // else the queue goes once the station has read its lists off the server
        QVERIFY(sent.wait(20000));
        QCOMPARE(sent.last().at(1).toString().isEmpty(), server.port != gone.port);
    }
    const QStringList untied{u"Sucuk 1.5 1 label - -"_s, u"Sucuk 2 1 label - -"_s};
    QCOMPARE(packageRows(central.database()), untied);

    StationDatabase tavran(QDir(station.stationDir()).filePath(u"Tavran.db"_s), Schema::File::Tavran);
    StationDatabase stok(QDir(station.stationDir()).filePath(u"Stok.db"_s), Schema::File::Stok);
    for (const int expectedRows : {1, 0}) {
        const BookingResult booking = CentralBooking::book(central, tavran, {2026, 12, 8}, 0, u"Ahmet"_s);
        QVERIFY2(booking.ok(), qPrintable(booking.failure));
        QCOMPARE(booking.booked, expectedRows);
    }
    const QStringList tied{u"Sucuk 1.5 1 label Ahmet 2026-12-08"_s, u"Sucuk 2 1 label Ahmet 2026-12-08"_s};
    QCOMPARE(packageRows(central.database()), tied);
    QCOMPARE(packageRows(stok.database()), tied);
}

QTEST_GUILESS_MAIN(TestCentralBooking)
#include "test_central_booking.moc"
