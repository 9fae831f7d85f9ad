#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"
#include "BookingLedger.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Ledger = BookingLedger;

Ledger readLedger(const QString &folder)
{
    StationDatabase stok(QDir(folder).filePath(u"Stok.db"_s), Schema::File::Stok);
    QHash<QString, int> movements;
    QSqlQuery query(stok.database());
    if (!query.exec(u"SELECT \"Ürün\" FROM StokHaraket"_s))
        return {0, 0, {u"movements unreadable"_s}};
    while (query.next())
        ++movements[query.value(0).toString()];
    return Ledger::check(movements, {folder});
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
