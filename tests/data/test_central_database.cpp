#include "data/CentralCopy.h"
#include "data/CentralDatabase.h"
#include "data/RecordSource.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "office/OfficeTable.h"
#include "office/StockMovements.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Added out of order, so neither engine's insertion order passes for sorting;
// "sucuk" after "Sucuk" falls before it on both engines all the same.
const QStringList Products = {u"Uzun"_s, u"ışık"_s, u"Çiğ"_s, u"Şiş"_s, u"Cam"_s, u"Ürün"_s,
                              u"İnek"_s, u"Dana"_s, u"Sucuk"_s, u"Isı"_s, u"sucuk"_s};
const QStringList ProductsInOrder = {u"Cam"_s,   u"Çiğ"_s,   u"Dana"_s, u"Isı"_s,
                                     u"ışık"_s,  u"İnek"_s,  u"sucuk"_s, u"Sucuk"_s,
                                     u"Şiş"_s,   u"Uzun"_s,  u"Ürün"_s};

struct Account
{
    const char16_t *title;
    const char16_t *group;
};
// "MÜŞTERİ" and "müşteri" are the group; "MUSTERI" and "Müşterı" (dotless)
// are other words.
const Account Accounts[] = {
    {u"Şahin Et", u"MÜŞTERİ"}, {u"Ilgaz Gıda", u"müşteri"}, {u"Çınar Kasap", u"Müşteri"},
    {u"İpek Lokanta", u"Müşteri"}, {u"Acar Et", u"MUSTERI"}, {u"Ufuk Toptan", u"Toptan"},
    {u"Özlem Market", u"Müşterı"}, {u"ırmak Büfe", u"müşteri"},
};
const QStringList CustomersInOrder = {u"Çınar Kasap"_s, u"Ilgaz Gıda"_s, u"ırmak Büfe"_s,
                                      u"İpek Lokanta"_s, u"Şahin Et"_s};

struct Movement
{
    const char16_t *date;
    const char16_t *product;
    double kilo;
    int alsat;
};
const Movement Movements[] = {
    {u"2026-12-05", u"Sucuk", 2.5, 1},  {u"2026-12-01", u"SUCUK", 1.25, 1},
    {u"2026-12-31", u"İnek", 10, 1},    {u"2026-11-30", u"İnek", 99, 1},
    {u"2027-01-01", u"Çiğ", 99, 1},     {u"2026-12-02", u"Çiğ", 3, 1},
    {u"2026-12-03", u"Çiğ", -3, 1},     {u"2026-12-04", u"Dana", 7, 0},
};

constexpr char16_t InsertProductSql[] = u"INSERT INTO \"Stok\"(\"Barkod\", \"Ürün\", \"Birim\") VALUES (?, ?, 'Kg')";
constexpr char16_t InsertAccountSql[] = u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") VALUES (?, ?, ?)";
constexpr char16_t InsertMovementSql[] =
    u"INSERT INTO \"StokHaraket\"(\"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\") VALUES (?, ?, ?, ?)";

bool seed(const QSqlDatabase &cari, const QSqlDatabase &stok)
{
    QSqlQuery product(stok);
    QSqlQuery account(cari);
    QSqlQuery movement(stok);
    bool ok = product.prepare(QString::fromUtf16(InsertProductSql))
              && account.prepare(QString::fromUtf16(InsertAccountSql))
              && movement.prepare(QString::fromUtf16(InsertMovementSql));
    for (qsizetype i = 0; ok && i < Products.size(); ++i) {
        product.bindValue(0, QString::number(2000 + i));
        product.bindValue(1, Products[i]);
        ok = product.exec();
    }
    int code = 0;
    for (const Account &row : Accounts) {
        account.bindValue(0, QString::number(++code));
        account.bindValue(1, QString::fromUtf16(row.title));
        account.bindValue(2, QString::fromUtf16(row.group));
        ok = ok && account.exec();
    }
    for (const Movement &row : Movements) {
        movement.bindValue(0, QString::fromUtf16(row.date));
        movement.bindValue(1, QString::fromUtf16(row.product));
        movement.bindValue(2, row.kilo);
        movement.bindValue(3, row.alsat);
        ok = ok && movement.exec();
    }
    return ok;
}

QStringList column(const QSqlDatabase &db, const RecordSource &source, const QString &field)
{
    Recordset records(db, source);
    if (!records.requery())
        return {u"unreadable: "_s + records.lastError()};
    return records.columnTexts(records.fieldIndex(field));
}

// One engine's shared tables: the station folder's files or a fresh
// database on the tests' server.
struct Engine
{
    std::unique_ptr<TestStation> station;
    std::unique_ptr<StationDatabase> cari;
    std::unique_ptr<StationDatabase> stok;
    std::unique_ptr<CentralDatabase> central;

    QSqlDatabase cariDb() const { return central ? central->database() : cari->database(); }
    QSqlDatabase stokDb() const { return central ? central->database() : stok->database(); }
};

} // namespace

class TestCentralDatabase : public QObject
{
    Q_OBJECT
private slots:
    void sameRowsInTheSameOrder_data();
    void sameRowsInTheSameOrder();
    void initTwiceAndKeysStayUnique();
    void copyAFolderOnce();
};

void TestCentralDatabase::sameRowsInTheSameOrder_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("station folder") << false;
    QTest::newRow("central server") << true;
}

void TestCentralDatabase::sameRowsInTheSameOrder()
{
    QFETCH(bool, server);
    Engine engine;
    if (server) {
        TAVRAN_REQUIRE_POSTGRES(location);
        engine.central = std::make_unique<CentralDatabase>(*location);
        QVERIFY2(engine.central->initSchema(), qPrintable(engine.central->lastError()));
    } else {
        engine.station = std::make_unique<TestStation>();
        const QDir dir(engine.station->stationDir());
        engine.cari = std::make_unique<StationDatabase>(dir.filePath(u"Cari.db"_s), Schema::File::Cari);
        engine.stok = std::make_unique<StationDatabase>(dir.filePath(u"Stok.db"_s), Schema::File::Stok);
    }
    QVERIFY(seed(engine.cariDb(), engine.stokDb()));
    const SqlDialect &dialect = SqlDialect::of(engine.stokDb());
    QCOMPARE(&dialect, server ? &SqlDialect::postgres() : &SqlDialect::sqlite());

    QCOMPARE(column(engine.stokDb(), RecordSources::products(dialect), u"Ürün"_s), ProductsInOrder);
    QCOMPARE(column(engine.cariDb(), RecordSources::customersOfGroup(u"Müşteri"_s, dialect),
                    u"Unvan"_s),
             CustomersInOrder);
    QCOMPARE(column(engine.stokDb(), RecordSources::movementsOf(1, dialect), u"Tarih"_s),
             (QStringList{u"2026-11-30"_s, u"2026-12-01"_s, u"2026-12-02"_s, u"2026-12-03"_s,
                          u"2026-12-05"_s, u"2026-12-31"_s, u"2027-01-01"_s}));

    // The office's movement list and table columns: the server's own row
    // and booking keys never show.
    const auto listed = StockMovements::read(engine.stokDb(), {2026, 12, 1}, {2026, 12, 31}, 1);
    QVERIFY(listed);
    QStringList days;
    for (const StockMovements::Movement &movement : *listed)
        days << movement.tarih + u' ' + movement.product;
    QCOMPARE(days, (QStringList{u"2026-12-01 SUCUK"_s, u"2026-12-02 Çiğ"_s, u"2026-12-03 Çiğ"_s,
                                u"2026-12-05 Sucuk"_s, u"2026-12-31 İnek"_s}));
    QCOMPARE(OfficeTable::named(u"products"_s)->columns(engine.stokDb()),
             (QStringList{u"Barkod"_s, u"Ürün"_s, u"Birim"_s}));

    // The month's sums: the border days in, the next month out, "SUCUK"
    // counted with "Sucuk" under the name listed first, a product that nets
    // to nothing left out.
    const auto totals = ShipmentTotals::sum(engine.stokDb(), 1,
                                            ReportPeriod(ReportPeriod::Kind::Month, {2026, 12, 15}));
    QVERIFY(totals);
    QCOMPARE(*totals, (QList<ProductTotal>{{u"İnek"_s, 10}, {u"sucuk"_s, 3.75}}));
}

void TestCentralDatabase::initTwiceAndKeysStayUnique()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));

    // The same key twice (a retried booking) leaves one movement.
    QSqlQuery book(central.database());
    QVERIFY(book.prepare(SqlDialect::postgres().bookMovementSql()));
    for (int attempt = 0; attempt < 2; ++attempt) {
        book.bindValue(0, u"2026-12-08"_s);
        book.bindValue(1, u"Sucuk"_s);
        book.bindValue(2, 1.5);
        book.bindValue(3, 0);
        book.bindValue(4, u"anahtar-1"_s);
        QVERIFY2(book.exec(), qPrintable(book.lastError().text()));
    }
    QSqlQuery count(central.database());
    QVERIFY(count.exec(u"SELECT count(*) FROM \"StokHaraket\""_s) && count.next());
    QCOMPARE(count.value(0).toInt(), 1);
}

void TestCentralDatabase::copyAFolderOnce()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    TestStation station;
    {
        const QDir dir(station.stationDir());
        StationDatabase cari(dir.filePath(u"Cari.db"_s), Schema::File::Cari);
        StationDatabase stok(dir.filePath(u"Stok.db"_s), Schema::File::Stok);
        QVERIFY(seed(cari.database(), stok.database()));
    }
    CentralDatabase central(*location);
    CentralCopy::Result result = CentralCopy::copy(central, station.stationDir(), false);
    QVERIFY2(result.ok(), qPrintable(result.failure));
    QCOMPARE(result.movements, qint64(std::size(Movements)));
    QCOMPARE(column(central.database(), RecordSources::products(SqlDialect::postgres()), u"Ürün"_s),
             ProductsInOrder);

    result = CentralCopy::copy(central, station.stationDir(), false);
    QVERIFY(!result.ok()); // would count the stock twice
    result = CentralCopy::copy(central, station.stationDir(), true);
    QVERIFY2(result.ok(), qPrintable(result.failure));
    QSqlQuery count(central.database());
    QVERIFY(count.exec(u"SELECT count(*) FROM \"StokHaraket\""_s) && count.next());
    QCOMPARE(count.value(0).toInt(), 2 * int(std::size(Movements)));
}

QTEST_GUILESS_MAIN(TestCentralDatabase)
#include "test_central_database.moc"
