#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"
#include "support/TestStation.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Movement
{
    QString date;
    QString product;
    double kilo;
    int alsat;
};

void exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query(db);
    QVERIFY(query.prepare(sql));
    for (const QVariant &value : values)
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(sql));
}

} // namespace

Q_DECLARE_METATYPE(Movement)
Q_DECLARE_METATYPE(ReportPeriod::Kind)

class TestShipmentTotals : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void periodCoversTheDayOrTheMonth_data();
    void periodCoversTheDayOrTheMonth();
    void sumsPerProductInListOrder_data();
    void sumsPerProductInListOrder();
    void buildReplacesTheScratchRows();

private:
    QSqlDatabase stok() const { return m_data->stok()->database(); }
    void addProducts(const QStringList &names);
    void addMovements(const QList<Movement> &movements);

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<StationData> m_data;
};

void TestShipmentTotals::init()
{
    m_station = std::make_unique<TestStation>();
    m_data = std::make_unique<StationData>();
    m_data->bind(m_station->stationDir());
    QVERIFY(m_data->stok()->isOpen());
    // Listed out of order on purpose: the report follows the Turkish sort.
    addProducts({u"Şiş Köfte"_s, u"Dana Kuşbaşı"_s, u"Ali'nin Sucuğu"_s, u"Çiğ Köfte"_s,
                 u"Sucuk"_s, u"Ispanaklı Börek"_s, u"İnegöl Köfte"_s, u"Kuzu But"_s});
}

void TestShipmentTotals::cleanup()
{
    m_data.reset();
    m_station.reset();
}

void TestShipmentTotals::addProducts(const QStringList &names)
{
    for (const QString &name : names)
        exec(stok(), u"INSERT INTO Stok(Barkod, \"Ürün\") VALUES ('1', ?)"_s, {name});
}

void TestShipmentTotals::addMovements(const QList<Movement> &movements)
{
    for (const Movement &m : movements)
        exec(stok(), u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)"_s,
             {m.date, m.product, m.kilo, m.alsat});
}

void TestShipmentTotals::periodCoversTheDayOrTheMonth_data()
{
    QTest::addColumn<ReportPeriod::Kind>("kind");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("criteria");

    using K = ReportPeriod::Kind;
    QTest::newRow("leap February") << K::Month << QDate(2024, 2, 15) << u"2024-02-01"_s
                                   << u"2024-02-29"_s
                                   << u"Tarih>=#02/01/2024# And Tarih<=#02/29/2024#"_s;
    QTest::newRow("April") << K::Month << QDate(2026, 4, 30) << u"2026-04-01"_s << u"2026-04-30"_s
                           << u"Tarih>=#04/01/2026# And Tarih<=#04/30/2026#"_s;
    QTest::newRow("day") << K::Day << QDate(2026, 12, 7) << u"2026-12-07"_s << u"2026-12-07"_s
                         << u"Tarih=#12/07/2026#"_s;
}

void TestShipmentTotals::periodCoversTheDayOrTheMonth()
{
    QFETCH(ReportPeriod::Kind, kind);
    QFETCH(QDate, date);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, criteria);
    const ReportPeriod period(kind, date);
    QCOMPARE(period.firstText(), first);
    QCOMPARE(period.lastText(), last);
    QCOMPARE(period.criteriaText(), criteria);
}

void TestShipmentTotals::sumsPerProductInListOrder_data()
{
    QTest::addColumn<QList<Movement>>("movements");
    QTest::addColumn<ReportPeriod::Kind>("kind");
    QTest::addColumn<int>("alsat");
    QTest::addColumn<QList<ProductTotal>>("expected");

    using K = ReportPeriod::Kind;
    const QList<Movement> february = {
        {u"2024-01-31"_s, u"Kuzu But"_s, 100, 0},       // the month before
        {u"2024-02-01"_s, u"Kuzu But"_s, 1.5, 0},
        {u"2024-02-29"_s, u"Kuzu But"_s, 2.25, 0},      // leap day, last of the month
        {u"2024-03-01"_s, u"Kuzu But"_s, 100, 0},       // the month after
        {u"2024-02-15"_s, u"Ali'nin Sucuğu"_s, 3, 0},
        {u"2024-02-15"_s, u"Şiş Köfte"_s, 1234.5, 0},
        {u"2024-02-15"_s, u"Şiş Köfte"_s, 7, 1},        // a purchase
        {u"2024-02-10"_s, u"Dana Kuşbaşı"_s, 4.2, 0},   // cancelled by a return
        {u"2024-02-11"_s, u"Dana Kuşbaşı"_s, -4.2, 0},
        {u"2024-02-12"_s, u"ÇİĞ KÖFTE"_s, 0.5, 0},      // written in capitals
        {u"2024-02-13"_s, u"Ispanaklı Börek"_s, 0.1, 0}, // sums to a rounding speck
        {u"2024-02-13"_s, u"Ispanaklı Börek"_s, 0.2, 0},
        {u"2024-02-13"_s, u"Ispanaklı Börek"_s, -0.3, 0},
        {u"2024-02-14"_s, u"Kavurma"_s, 9, 0},          // no longer a product
    };
    QTest::newRow("leap month of sales")
        << february << K::Month << 0
        << QList<ProductTotal>{{u"Ali'nin Sucuğu"_s, 3},
                               {u"Çiğ Köfte"_s, 0.5},
                               {u"Kuzu But"_s, 3.75},
                               {u"Şiş Köfte"_s, 1234.5}};
    QTest::newRow("purchases only") << february << K::Month << 1
                                    << QList<ProductTotal>{{u"Şiş Köfte"_s, 7}};
    QTest::newRow("one day") << february << K::Day << 0
                             << QList<ProductTotal>{{u"Ali'nin Sucuğu"_s, 3},
                                                    {u"Şiş Köfte"_s, 1234.5}};
}

void TestShipmentTotals::sumsPerProductInListOrder()
{
    QFETCH(QList<Movement>, movements);
    QFETCH(ReportPeriod::Kind, kind);
    QFETCH(int, alsat);
    QFETCH(QList<ProductTotal>, expected);
    addMovements(movements);
    const auto totals = ShipmentTotals::sum(stok(), alsat, ReportPeriod(kind, QDate(2024, 2, 15)));
    QVERIFY(totals);
    QCOMPARE(*totals, expected);
}

void TestShipmentTotals::buildReplacesTheScratchRows()
{
    addProducts({u"Kuzu But"_s}); // listed twice: counted once
    addMovements({{u"2026-12-07"_s, u"Kuzu But"_s, 2, 0},
                  {u"2026-12-08"_s, u"Sucuk"_s, 1.25, 0},
                  {u"2026-12-08"_s, u"Kuzu But"_s, 1, 0}});
    const QDate date(2026, 12, 7);

    const auto month = ShipmentTotals::build(*m_data, 0, ReportPeriod(ReportPeriod::Kind::Month, date));
    QCOMPARE(month, std::optional<double>(4.25));
    Recordset *scratch = m_data->data6().recordset();
    QVERIFY(scratch);
    QCOMPARE(ShipmentTotals::read(*scratch),
             (QList<ProductTotal>{{u"Kuzu But"_s, 3}, {u"Sucuk"_s, 1.25}}));
    QCOMPARE(scratch->absolutePosition(), 0);

    const auto day = ShipmentTotals::build(*m_data, 0, ReportPeriod(ReportPeriod::Kind::Day, date));
    QCOMPARE(day, std::optional<double>(2));
    QCOMPARE(ShipmentTotals::read(*m_data->data6().recordset()),
             (QList<ProductTotal>{{u"Kuzu But"_s, 2}}));

    // Unreadable movements are no report of zero: nothing is left to show.
    exec(stok(), u"DROP TABLE StokHaraket"_s);
    QVERIFY(!ShipmentTotals::build(*m_data, 0, ReportPeriod(ReportPeriod::Kind::Day, date)));
    QCOMPARE(m_data->data6().recordset()->recordCount(), 0);
}

QTEST_GUILESS_MAIN(TestShipmentTotals)
#include "test_shipment_totals.moc"
