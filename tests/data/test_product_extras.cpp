#include "data/CentralDatabase.h"
#include "data/ProductExtras.h"
#include "data/ServerListCache.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "office/TableExport.h"
#include "office/TableImport.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

class TestProductExtras : public QObject
{
    Q_OBJECT
private slots:
    void lotKeepsCatalogueFields_data();
    void lotKeepsCatalogueFields();
    void serverExtrasAreKeptWithTheLists();
    void stationLotReachesTheServer();
    void officeFileOnTheServer();
};

void TestProductExtras::lotKeepsCatalogueFields_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("station folder") << false;
    QTest::newRow("central server") << true;
}

// The same statements on both engines: a lot remembered later must not wipe
// the GTIN and tare the office imported, and clearing it leaves no text.
void TestProductExtras::lotKeepsCatalogueFields()
{
    QFETCH(bool, server);
    TestStation station;
    std::unique_ptr<StationDatabase> file;
    std::unique_ptr<CentralDatabase> central;
    QSqlDatabase db;
    if (server) {
        TAVRAN_REQUIRE_POSTGRES(location);
        central = std::make_unique<CentralDatabase>(*location);
        QVERIFY2(central->initSchema(), qPrintable(central->lastError()));
        db = central->database();
    } else {
        file = std::make_unique<StationDatabase>(QDir(station.stationDir()).filePath(u"Stok.db"_s),
                                                 Schema::File::Stok);
        QVERIFY(file->isOpen());
        db = file->database();
    }
    ProductExtras extras(db);
    QCOMPARE(extras.read(u"Kuzu But"_s), (ProductExtra{u"Kuzu But"_s, {}, 0, {}, {}}));

    QVERIFY(extras.write({u"Kuzu But"_s, u"08690123456789"_s, 0.25, {}, {}}));
    QVERIFY(extras.writeLot(u"Kuzu But"_s, u"L-7"_s, u"TR34"_s));
    QCOMPARE(extras.read(u"Kuzu But"_s),
             (ProductExtra{u"Kuzu But"_s, u"08690123456789"_s, 0.25, u"L-7"_s, u"TR34"_s}));
    QVERIFY(extras.writeLot(u"Dana Kıyma"_s, u"D1"_s, {})); // no row yet: tare 0
    QCOMPARE(extras.read(u"Dana Kıyma"_s)->tareKg, 0.0);

    QVERIFY(extras.writeLot(u"Kuzu But"_s, {}, {}));
    QSqlQuery nulls(db);
    QVERIFY(nulls.exec(u"SELECT count(*) FROM \"StokEk\" WHERE \"Parti\" IS NULL AND \"Hayvan\" IS NULL "
                       u"AND \"GTIN\" = '08690123456789'"_s) && nulls.next());
    QCOMPARE(nulls.value(0).toInt(), 1);
    QCOMPARE(extras.readAll()->size(), 2);
}

void TestProductExtras::serverExtrasAreKeptWithTheLists()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QVERIFY(ProductExtras(central.database()).write({u"Sucuk"_s, {}, 0.1, u"S-1"_s, {}}));
    TestStation station;
    QCOMPARE(ServerListCache::refresh(central, station.stationDir()).failure, QString());
    const StationDatabase kept(ServerListCache::stokPath(station.stationDir()), Schema::File::Stok);
    QCOMPARE(ProductExtras(kept.database()).read(u"Sucuk"_s)->lot, u"S-1"_s);
}

// The window remembers a lot through its data: on a plant with a server the
// kept copy has it at once and the server soon after, for the other stations.
void TestProductExtras::stationLotReachesTheServer()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QVERIFY(ProductExtras(central.database()).write({u"Sucuk"_s, u"08690123456789"_s, 0.1, {}, {}}));
    TestStation station;
    StationData data;
    data.bind(station.stationDir(), location->display());
    QTRY_COMPARE_WITH_TIMEOUT(data.productExtra(u"Sucuk"_s).value_or(ProductExtra{}).tareKg, 0.1, 20000);

    QVERIFY(data.rememberLot(u"Sucuk"_s, u"S-2"_s, u"TR34"_s));
    QCOMPARE(data.productExtra(u"Sucuk"_s)->lot, u"S-2"_s);
    QTRY_COMPARE_WITH_TIMEOUT(ProductExtras(central.database()).read(u"Sucuk"_s),
                              (ProductExtra{u"Sucuk"_s, u"08690123456789"_s, 0.1, u"S-2"_s, u"TR34"_s}),
                              20000);
}

// The products file's GTIN and tare go to the server's extras in the same
// transaction as the products, and come back out; the lot stays.
void TestProductExtras::officeFileOnTheServer()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QVERIFY(ProductExtras(central.database()).writeLot(u"Sucuk"_s, u"S-3"_s, {}));
    const OfficeTable products = *OfficeTable::named(u"products"_s);
    const auto result = TableImport::run(central.database(), products,
                                         "Barkod,Ürün,Birim,GTIN,Dara\n2000001,Sucuk,Kg,8690123456789,0.1\n",
                                         TableImport::Encoding::Utf8, false);
    QVERIFY2(result.ok() && result.written, qPrintable(result.failure));
    QCOMPARE(ProductExtras(central.database()).read(u"Sucuk"_s),
             (ProductExtra{u"Sucuk"_s, u"08690123456789"_s, 0.1, u"S-3"_s, {}}));
    QCOMPARE(TableExport::run(central.database(), products).value_or(QByteArray()),
             QByteArray("Barkod,Ürün,Birim,GTIN,Dara\r\n2000001,Sucuk,Kg,08690123456789,0.1\r\n"));
}

QTEST_GUILESS_MAIN(TestProductExtras)
#include "test_product_extras.moc"
