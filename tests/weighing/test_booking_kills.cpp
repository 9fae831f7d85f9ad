#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Ledger
{
    int rows = 0;
    int booked = 0;
    QStringList faults; // rows booked twice, lost, or movements without their row
};

// Opens the folder as a restarted station would (a half-done commit is rolled
// back here) and checks every order row against the movements.
Ledger readLedger(const QString &folder)
{
    Ledger ledger;
    const QDir dir(folder);
    StationDatabase stok(dir.filePath(u"Stok.db"_s), Schema::File::Stok);
    StationDatabase tavran(dir.filePath(u"Tavran.db"_s), Schema::File::Tavran);
    QHash<QString, int> movements;
    QSqlQuery query(stok.database());
    if (!query.exec(u"SELECT \"Ürün\" FROM StokHaraket"_s))
        return {0, 0, {u"movements unreadable"_s}};
    while (query.next())
        ++movements[query.value(0).toString()];
    QSqlQuery rows(tavran.database());
    if (!rows.exec(u"SELECT \"Ürün\", Tamam FROM Tart"_s))
        return {0, 0, {u"order rows unreadable"_s}};
    while (rows.next()) {
        const QString product = rows.value(0).toString();
        const bool booked = rows.value(1).toInt() == 0;
        ++ledger.rows;
        ledger.booked += booked;
        if (movements.take(product) != (booked ? 1 : 0))
            ledger.faults << product + (booked ? u" booked, movements ≠ 1"_s : u" not booked, has a movement"_s);
    }
    for (auto it = movements.cbegin(); it != movements.cend(); ++it)
        ledger.faults << it.key() + u" has a movement but no order row"_s;
    return ledger;
}

} // namespace

class TestBookingKills : public QObject
{
    Q_OBJECT
private slots:
    void everyRowIsBookedOnceWhateverTheKill();
};

void TestBookingKills::everyRowIsBookedOnceWhateverTheKill()
{
    TestStation station;
    const QString folder = station.stationDir();
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int landedMidSlip = 0;
    for (int kill = 0; kill < 60; ++kill) {
        QProcess loop;
        loop.start(QStringLiteral(BOOKING_LOOP), {folder});
        QVERIFY(loop.waitForStarted());
        QTest::qSleep(int(random.bounded(15, 120)));
        QCOMPARE(loop.state(), QProcess::Running); // still booking, not failed
        loop.kill(); // SIGKILL
        QVERIFY(loop.waitForFinished());

        const Ledger ledger = readLedger(folder);
        QVERIFY2(ledger.faults.isEmpty(),
                 qPrintable(u"seed %1, kill %2: "_s.arg(seed).arg(kill) + ledger.faults.join(u"; "_s)));
        landedMidSlip += ledger.booked < ledger.rows;
    }
    // The kills did catch slips half way; the restart books what they left.
    QVERIFY(landedMidSlip > 0);
    QCOMPARE(QProcess::execute(QStringLiteral(BOOKING_LOOP), {folder, u"--once"_s}), 0);
    const Ledger ledger = readLedger(folder);
    QVERIFY(ledger.faults.isEmpty());
    QVERIFY(ledger.rows > 0);
    QCOMPARE(ledger.booked, ledger.rows);
}

QTEST_GUILESS_MAIN(TestBookingKills)
#include "test_booking_kills.moc"
