#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"
#include "weighing/OrderRows.h"
#include "weighing/SlipSums.h"
#include "weighing/StockBooking.h"
#include "WeighingTestTools.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList movementsIn(StationData &data)
{
    return WeighingTestTools::movementsIn(data.stok()->database());
}

QList<int> tamamOf(Recordset &rows)
{
    QList<int> values;
    for (int i = 0; i < rows.recordCount(); ++i)
        values << rows.valueAt(i, rows.fieldIndex(u"Tamam"_s)).toInt();
    return values;
}

} // namespace

class TestSlipBooking : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sumsHoldOneRecordPerProduct();
    void sumsMatchWholeNames_data();
    void sumsMatchWholeNames();
    void booksEachRowOnce();
    void failedBookingLeavesEveryRowUnbooked_data();
    void failedBookingLeavesEveryRowUnbooked();

private:
    void addRows(const QList<std::pair<QString, double>> &rows);
    Recordset &orderRows() { return *m_data->data3().recordset(); }
    BookingResult book(const QDate &day, int alsatMode)
    {
        const BookingResult result = StockBooking::book(*m_data->stok(), *m_data->tavran(), day, alsatMode);
        RefreshDataControl(m_data->data3());
        return result;
    }

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<StationData> m_data;
};

void TestSlipBooking::init()
{
    m_station = std::make_unique<TestStation>();
    m_data = std::make_unique<StationData>();
    m_data->bind(m_station->stationDir());
    for (int number = 1; number <= 6; ++number)
        QVERIFY(RefreshDataControl(m_data->control(number)));
}

void TestSlipBooking::cleanup()
{
    m_data.reset();
    m_station.reset();
}

void TestSlipBooking::addRows(const QList<std::pair<QString, double>> &rows)
{
    for (const auto &[product, kilo] : rows)
        QVERIFY(OrderRows::addFinishedProduct(orderRows(), product, kilo, u"2000001"_s));
    QVERIFY(RefreshDataControl(m_data->data3()));
}

void TestSlipBooking::sumsHoldOneRecordPerProduct()
{
    addRows({{u"Dana Kuşbaşı"_s, 3.2}, {u"Ali'nin Sucuğu"_s, 0.75}, {u"Dana Kuşbaşı"_s, 1.8},
             {u"Ali'nin Sucuğu"_s, 0.25}});
    // Sums left by an abandoned preview are replaced, not added to.
    QVERIFY(SlipSums::add(*m_data->data6().recordset(), u"Kuzu But"_s, 9));

    const QList<SlipLine> rows = SlipSums::readRows(orderRows());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[2].product, u"Dana Kuşbaşı"_s);
    QCOMPARE(rows[2].kilo, 1.8);
    QCOMPARE(rows[2].barkod, u"2000001"_s);
    QVERIFY(SlipSums::rebuild(*m_data, rows));

    RefreshDataControl(m_data->data6());
    const QList<SlipLine> sums = SlipSums::read(*m_data->data6().recordset());
    QCOMPARE(sums.size(), 2);
    QCOMPARE(sums[0].product, u"Dana Kuşbaşı"_s);
    QCOMPARE(sums[0].kilo, 5.0);
    QCOMPARE(sums[1].product, u"Ali'nin Sucuğu"_s);
    QCOMPARE(sums[1].kilo, 1.0);
}

void TestSlipBooking::sumsMatchWholeNames_data()
{
    QTest::addColumn<QStringList>("products"); // one row of 1 kg each
    QTest::addColumn<QStringList>("sums");     // "product|kilo" in table order
    QTest::newRow("shorter name after the longer")
        << QStringList{u"Sucuk Kangal"_s, u"Sucuk"_s} << QStringList{u"Sucuk Kangal|1"_s, u"Sucuk|1"_s};
    QTest::newRow("longer name after the shorter")
        << QStringList{u"Sucuk"_s, u"Sucuk Kangal"_s, u"Sucuk"_s}
        << QStringList{u"Sucuk|2"_s, u"Sucuk Kangal|1"_s};
    QTest::newRow("pattern letters are plain letters")
        << QStringList{u"Dana*"_s, u"Dana Kuşbaşı"_s, u"Dana_"_s, u"Dana%"_s}
        << QStringList{u"Dana*|1"_s, u"Dana Kuşbaşı|1"_s, u"Dana_|1"_s, u"Dana%|1"_s};
    QTest::newRow("quote in the name") << QStringList{u"Ali'nin"_s, u"Ali'nin Sucuğu"_s}
                                       << QStringList{u"Ali'nin|1"_s, u"Ali'nin Sucuğu|1"_s};
}

void TestSlipBooking::sumsMatchWholeNames()
{
    QFETCH(QStringList, products);
    QFETCH(QStringList, sums);
    QList<std::pair<QString, double>> rows;
    for (const QString &product : products)
        rows.append({product, 1.0});
    addRows(rows);
    QVERIFY(SlipSums::rebuild(*m_data, SlipSums::readRows(orderRows())));

    RefreshDataControl(m_data->data6());
    QStringList stored;
    for (const SlipLine &line : SlipSums::read(*m_data->data6().recordset()))
        stored << line.product + u'|' + QString::number(line.kilo);
    QCOMPARE(stored, sums);
}

void TestSlipBooking::booksEachRowOnce()
{
    addRows({{u"Dana Kuşbaşı"_s, 3.2}, {u"Kuzu But"_s, 2.25}});
    const QDate day(2026, 12, 7);
    BookingResult result = book(day, 1);
    QVERIFY2(result.ok(), qPrintable(result.failure));
    QCOMPARE(result.booked, 2);
    QCOMPARE(movementsIn(*m_data),
             (QStringList{u"2026-12-07|Dana Kuşbaşı|3.2|1"_s, u"2026-12-07|Kuzu But|2.25|1"_s}));
    QCOMPARE(tamamOf(orderRows()), (QList<int>{0, 0}));

    // Printed again with a row added since: only the new row is booked.
    addRows({{u"Sucuk"_s, 1.5}});
    result = book(day.addDays(1), 0);
    QCOMPARE(result.booked, 1);
    QCOMPARE(movementsIn(*m_data).size(), 3);
    QCOMPARE(movementsIn(*m_data).last(), u"2026-12-08|Sucuk|1.5|0"_s);
    QCOMPARE(tamamOf(orderRows()), (QList<int>{0, 0, 0}));
}

void TestSlipBooking::failedBookingLeavesEveryRowUnbooked_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("trigger");
    // Either file may refuse at the third row, as a full or locked disk would.
    QTest::newRow("order row cannot be marked")
        << u"tavran"_s
        << u"CREATE TRIGGER refuse BEFORE UPDATE ON Tart WHEN old.\"Ürün\" = 'Sucuk' "
           u"BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"_s;
    QTest::newRow("movement cannot be written")
        << u"stok"_s
        << u"CREATE TRIGGER refuse BEFORE INSERT ON StokHaraket WHEN new.\"Ürün\" = 'Sucuk' "
           u"BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"_s;
}

void TestSlipBooking::failedBookingLeavesEveryRowUnbooked()
{
    QFETCH(QString, file);
    QFETCH(QString, trigger);
    addRows({{u"Dana Kuşbaşı"_s, 3.2}, {u"Kuzu But"_s, 2.25}, {u"Sucuk"_s, 1.5}});
    QSqlQuery refuse(file == u"stok"_s ? m_data->stok()->database() : m_data->tavran()->database());
    QVERIFY(refuse.exec(trigger));

    const BookingResult result = book(QDate(2026, 12, 7), 0);
    QVERIFY(!result.ok());
    QCOMPARE(result.booked, 0);
    QVERIFY2(result.failure.contains(u"Sucuk"_s) && result.failure.contains(u"disk dolu"_s),
             qPrintable(result.failure));
    // The rows booked before the failure went back with it: nobody else's
    // movement is touched, none is left without its order row.
    QCOMPARE(movementsIn(*m_data), QStringList());
    QCOMPARE(tamamOf(orderRows()), (QList<int>{1, 1, 1}));

    // Once the disk is back the next print books them all, nothing twice.
    QVERIFY(refuse.exec(u"DROP TRIGGER refuse"_s));
    QCOMPARE(book(QDate(2026, 12, 7), 0).booked, 3);
    QCOMPARE(movementsIn(*m_data).size(), 3);
    QCOMPARE(tamamOf(orderRows()), (QList<int>{0, 0, 0}));
}

QTEST_GUILESS_MAIN(TestSlipBooking)
#include "test_slip_booking.moc"
