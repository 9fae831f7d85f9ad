#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"
#include "weighing/OrderRows.h"
#include "weighing/PackageRun.h"
#include "weighing/StockBooking.h"
#include "TableRows.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every package as "product kilo lot row label customer alsat date", in the order added.
QStringList packagesIn(const StationDatabase &stok)
{
    return tableRows(stok.database(), u"SELECT \"Ürün\", Kilo, Parti, TartSira, EtiketBarkod, Cari, Alsat, Tarih "
                                      u"FROM Paket ORDER BY Sira"_s);
}

} // namespace

class TestPackageRecords : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void packagesFollowTheirOrderRow_data();
    void packagesFollowTheirOrderRow();
    void lotComesFromTheProductElseTheDay();

private:
    // Weighs `kilos` of `product` as packages and finishes the product.
    void weigh(const QString &product, const QList<double> &kilos);
    Recordset &orderRows() { return *m_data->data3().recordset(); }

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<StationData> m_data;
    std::unique_ptr<PackageRun> m_run;
};

void TestPackageRecords::init()
{
    m_station = std::make_unique<TestStation>();
    m_data = std::make_unique<StationData>();
    m_data->bind(m_station->stationDir());
    QVERIFY(RefreshDataControl(m_data->data3()));
    m_run = std::make_unique<PackageRun>(*m_data);
}

void TestPackageRecords::cleanup()
{
    m_run.reset();
    m_data.reset();
    m_station.reset();
}

void TestPackageRecords::weigh(const QString &product, const QList<double> &kilos)
{
    m_run->start();
    double total = 0;
    for (double kilo : kilos) {
        PackageRecord record;
        record.product = product;
        record.barkod = u"2000001"_s;
        record.kilo = kilo;
        QVERIFY(m_run->add(record));
        total += kilo;
    }
    QString error;
    QVERIFY2(m_run->finish([&] { return OrderRows::addFinishedProduct(orderRows(), product, total, u"2000001"_s); },
                           u"label-"_s + product, &error),
             qPrintable(error));
    QVERIFY(RefreshDataControl(m_data->data3()));
}

void TestPackageRecords::packagesFollowTheirOrderRow_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QStringList>("expected");
    const QString day = QDate::currentDate().toString(Qt::ISODate);
    const QString booked = u" Ahmet 0 2026-12-08"_s;
    QTest::newRow("order as weighed")
        << QString() << QStringList{u"Sucuk 1.5 "_s + day + u" 1 label-Sucuk"_s + booked,
                                    u"Sucuk 2 "_s + day + u" 1 label-Sucuk"_s + booked,
                                    u"Şiş 0.75 "_s + day + u" 2 label-Şiş"_s + booked};
    // Stopped after Şiş's row and links were stored, before its packages were marked.
    QTest::newRow("marks lost to a stop")
        << u"marks"_s << QStringList{u"Sucuk 1.5 "_s + day + u" 1 label-Sucuk"_s + booked,
                                     u"Sucuk 2 "_s + day + u" 1 label-Sucuk"_s + booked,
                                     u"Şiş 0.75 "_s + day + u" 2 label-Şiş"_s + booked};
    // Şiş's rowid goes to the row weighed after it.
    QTest::newRow("last row removed")
        << u"last"_s << QStringList{u"Sucuk 1.5 "_s + day + u" 1 label-Sucuk"_s + booked,
                                    u"Sucuk 2 "_s + day + u" 1 label-Sucuk"_s + booked,
                                    u"Şiş 0.75 "_s + day + u" - label-Şiş - - -"_s};
    QTest::newRow("order left and started again")
        << u"all"_s << QStringList{u"Sucuk 1.5 "_s + day + u" - label-Sucuk - - -"_s,
                                   u"Sucuk 2 "_s + day + u" - label-Sucuk - - -"_s,
                                   u"Şiş 0.75 "_s + day + u" - label-Şiş - - -"_s};
}

// A package is tied to the slip of the row it went into, never to a later
// row that reuses a removed row's rowid.
void TestPackageRecords::packagesFollowTheirOrderRow()
{
    QFETCH(QString, removed);
    QFETCH(QStringList, expected);
    weigh(u"Sucuk"_s, {1.5, 2});
    weigh(u"Şiş"_s, {0.75});
    if (removed == u"last"_s) {
        QVERIFY(orderRows().moveLast());
        QVERIFY(OrderRows::removeCurrent(orderRows()));
    } else if (removed == u"marks"_s) {
        QVERIFY(QSqlQuery(m_data->stok()->database())
                    .exec(u"UPDATE Paket SET TartSira = NULL, EtiketBarkod = NULL WHERE \"Ürün\" = 'Şiş'"_s));
    } else if (removed == u"all"_s) {
        QVERIFY(m_data->deleteAllRows(m_data->data3()));
    }
    weigh(u"Kuşbaşı"_s, {3.25});
    const BookingResult result = StockBooking::book(*m_data->stok(), *m_data->tavran(), {2026, 12, 8}, 0, u"Ahmet"_s);
    QVERIFY2(result.ok(), qPrintable(result.failure));

    const QString lastRow = removed == u"all"_s ? u"1"_s : removed == u"last"_s ? u"2"_s : u"3"_s;
    const QString day = QDate::currentDate().toString(Qt::ISODate);
    expected << u"Kuşbaşı 3.25 "_s + day + u' ' + lastRow + u" label-Kuşbaşı Ahmet 0 2026-12-08"_s;
    QCOMPARE(packagesIn(*m_data->stok()), expected);

    // Booked once: a second print finds nothing left to tie.
    QVERIFY(StockBooking::book(*m_data->stok(), *m_data->tavran(), {2026, 12, 9}, 1, u"Mehmet"_s).ok());
    QCOMPARE(packagesIn(*m_data->stok()), expected);
}

void TestPackageRecords::lotComesFromTheProductElseTheDay()
{
    QSqlQuery extras(m_data->stok()->database());
    QVERIFY(extras.exec(u"INSERT INTO StokEk(\"Ürün\", Dara, Parti, Hayvan) VALUES ('Sucuk', 0.25, 'L-42', 'TR 123')"_s));
    PackageRecord lot;
    lot.product = u"Sucuk"_s;
    lot.kilo = 1.5;
    PackageRecord day;
    day.product = u"Şiş"_s;
    day.kilo = 1;
    m_run->start();
    QVERIFY(m_run->add(lot));
    QVERIFY(m_run->add(day));
    QCOMPARE(lot.lot, u"L-42"_s);
    QCOMPARE(lot.animal, u"TR 123"_s);
    QCOMPARE(lot.tare, 0.25);
    QCOMPARE(day.lot, QDate::currentDate().toString(Qt::ISODate));
    QVERIFY(day.animal.isEmpty());
    QCOMPARE(m_run->keys(), (QStringList{lot.key, day.key}));

    QSqlQuery stored(m_data->stok()->database());
    QVERIFY(stored.exec(u"SELECT Parti, Hayvan, Dara, Kilo FROM Paket WHERE Anahtar = '%1'"_s.arg(lot.key)));
    QVERIFY(stored.next());
    QCOMPARE(stored.value(0).toString() + u' ' + stored.value(1).toString() + u' ' + stored.value(2).toString()
                 + u' ' + stored.value(3).toString(),
             u"L-42 TR 123 0.25 1.5"_s);
}

QTEST_GUILESS_MAIN(TestPackageRecords)
#include "test_package_records.moc"
