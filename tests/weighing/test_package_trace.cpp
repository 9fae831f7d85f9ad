#include "app/Form1.h"
#include "app/PasswordHash.h"
#include "data/CentralCopy.h"
#include "data/CentralDatabase.h"
#include "data/DemoStation.h"
#include "data/Schema.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "journal/JournalCommand.h"
#include "printing/CurrentPrinter.h"
#include "station/DatabaseSetting.h"
#include "station/SettingsStore.h"
#include "support/ScreenDriver.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"
#include "ui_support/TapGuard.h"
#include "TableRows.h"

#include <QDir>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Every package as "customer lot kilo row label day", by lot, heaviest first.
QStringList packageRows(const QSqlDatabase &db)
{
    return tableRows(db, u"SELECT \"Cari\", \"Parti\", \"Kilo\", \"TartSira\", \"EtiketBarkod\", \"Tarih\" "
                         u"FROM \"Paket\" ORDER BY \"Parti\", \"Kilo\" DESC"_s, u'|');
}

} // namespace

// Two lots weighed for two customers on a station bound to the central
// server: each package can be traced from its lot to the customer's slip,
// in the station folder and on the server alike.
class TestPackageTrace : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PasswordHash::setCost(PasswordHash::lightest()); }
    void lotsAreTracedToTheirCustomers();
};

void TestPackageTrace::lotsAreTracedToTheirCustomers()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    TestStation station;
    const QString folder = station.stationDir();
    QVERIFY(DemoStation::create(folder));
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    QVERIFY2(CentralCopy::copy(central, folder, false).ok(), "demo station not copied to the server");
    StationDatabase stok(QDir(folder).filePath(u"Stok.db"_s), Schema::File::Stok);
    const auto setLot = [&stok](const QString &lot) {
        QSqlQuery query(stok.database());
        return query.exec(u"INSERT OR REPLACE INTO StokEk(\"Ürün\", Parti) VALUES ('Dana Kuşbaşı', '%1')"_s.arg(lot));
    };

    QTcpServer scale;
    QVERIFY(scale.listen(QHostAddress::LocalHost));
    QTcpSocket *scaleClient = nullptr;
    connect(&scale, &QTcpServer::newConnection, this, [&] {
        while (QTcpSocket *next = scale.nextPendingConnection())
            scaleClient = next;
    });
    WriteRegValue(u"Tart0"_s, u"True"_s);
    WriteRegValue(u"PortNo0"_s, QString::number(scale.serverPort()));
    SaveAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s);
    DatabaseSetting::setOverride(location->display());
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(station.root() + u"/printed.pdf"_s);

    Form1 window(folder);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ScreenDriver driver(window);
    QVERIFY(QTest::qWaitFor([&] { return scaleClient != nullptr; }, 10000));
    driver.tapEntry(u"List3"_s, 1);
    driver.typeKeypad(u"4711E"_s);
    QVERIFY(window.girisFrm()->isHidden());

    struct Order
    {
        int customer;
        QString lot;
        QList<std::pair<QByteArray, QString>> readings;
    };
    const Order orders[] = {
        {0, u"L-2026-A"_s, {{"+0001.250 kg\r\n", u"1,250 Kg "_s}, {"+0000.250 kg\r\n", u"0,250 Kg "_s}}},
        {1, u"L-2026-B"_s, {{"+0000.750 kg\r\n", u"0,750 Kg "_s}}},
    };
    QStringList customers;
    QString barkod;
    for (const Order &order : orders) {
        QVERIFY(setLot(order.lot));
        QTRY_VERIFY(window.findChild<ListBox *>(u"List1"_s)->count() > order.customer);
        driver.tapEntry(u"List1"_s, order.customer);
        customers << driver.text(u"MusTxt"_s);
        driver.tap(u"Command1"_s);
        auto *products = driver.get<ListBox>(u"List2"_s);
        const int row = products->findExact(u"Dana Kuşbaşı"_s);
        products->scrollTo(products->model()->index(row, 0));
        driver.tapEntry(u"List2"_s, row);
        driver.tap(u"Command2(3)"_s);
        for (const auto &[reading, shown] : order.readings) {
            scaleClient->write(reading);
            scaleClient->flush();
            QTRY_COMPARE(driver.text(u"Label4(0)"_s), shown);
            driver.tap(u"Command4(2)"_s);
            QTest::qWait(int(TapGuard::GuardTime.count())); // a new tap, not a bounce
        }
        driver.tap(u"Command4(1)"_s);
        barkod = window.data().data3().recordset()->value(u"Barkod"_s).toString();
        driver.tap(u"Command2(2)"_s); // "Fiş Yaz": the preview
        driver.tap(u"Command2(2)"_s); // "Yazdır": printed and booked on the server
        auto *leave = driver.get<QPushButton>(u"Command2(0)"_s);
        QTRY_VERIFY_WITH_TIMEOUT(leave->isEnabled(), 20000);
        driver.tap(u"Command2(0)"_s); // the next customer
    }

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    // Each order's one row was the first of its order: both are row 1.
    const QStringList expected = {
        customers[0] + u"|L-2026-A|1.25|1|%1|%2"_s.arg(barkod + u"01500"_s, today),
        customers[0] + u"|L-2026-A|0.25|1|%1|%2"_s.arg(barkod + u"01500"_s, today),
        customers[1] + u"|L-2026-B|0.75|1|%1|%2"_s.arg(barkod + u"00750"_s, today),
    };
    QCOMPARE(packageRows(stok.database()), expected);
    QCOMPARE(packageRows(central.database()), expected);

    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(JournalCommand::run({u"journal"_s, u"--verify"_s}, folder, outStream, errStream), 0);
    CurrentPrinter::printer().setOutputFileName(QString());
}

QTEST_MAIN(TestPackageTrace)
#include "test_package_trace.moc"
