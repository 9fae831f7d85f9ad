#include "app/Form1.h"
#include "data/CentralCopy.h"
#include "data/CentralDatabase.h"
#include "data/DemoStation.h"
#include "data/Schema.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "journal/JournalCommand.h"
#include "office/TraceCommand.h"
#include "printing/CurrentPrinter.h"
#include "staff/PasswordHash.h"
#include "station/DatabaseSetting.h"
#include "station/SettingsStore.h"
#include "support/ScreenDriver.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"
#include "ui_support/TapGuard.h"
#include "TableRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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

// `tavran trace ARGS --csv` as the chosen columns of each row, "|"-joined.
QStringList traced(const QString &folder, const QStringList &arguments, const QList<int> &columns)
{
    const QString csvPath = folder + u"/iz.csv"_s;
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    if (TraceCommand::run(QStringList{u"trace"_s} + arguments + QStringList{u"--csv"_s, csvPath}, folder,
                          outStream, errStream)
        != 0) {
        return {u"failed: "_s + err};
    }
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        return {u"no csv"_s};
    QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    rows.removeFirst(); // the heading
    for (QString &row : rows) {
        const QStringList fields = row.trimmed().split(u',');
        QStringList picked;
        for (int column : columns)
            picked << QString(fields.value(column)).remove(u'"');
        row = picked.join(u'|');
    }
    return rows;
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
    // The lot as a wedge scanner types a GS1-128 text into the window.
    const auto scanLot = [&window](const QString &lot) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        const QString scanned = u"(10)"_s + lot;
        for (const QChar c : scanned)
            QTest::keyClick(target, c.toLatin1());
        QTest::keyClick(target, Qt::Key_Return);
    };
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
        QTRY_VERIFY(window.findChild<ListBox *>(u"List1"_s)->count() > order.customer);
        driver.tapEntry(u"List1"_s, order.customer);
        customers << driver.text(u"MusTxt"_s);
        driver.tap(u"Command1"_s);
        auto *products = driver.get<ListBox>(u"List2"_s);
        const int row = products->findExact(u"Dana Kuşbaşı"_s);
        products->scrollTo(products->model()->index(row, 0));
        driver.tapEntry(u"List2"_s, row);
        driver.tap(u"Command2(3)"_s);
        scanLot(order.lot);
        QVERIFY(driver.text(u"PartiButton"_s).endsWith(order.lot));
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

    // Forward from a lot and a label, backward from a customer: on the
    // server the station is bound to, then on the station folder alone.
    for (const bool onServer : {true, false}) {
        DatabaseSetting::setOverride(onServer ? location->display() : QString());
        QCOMPARE(traced(folder, {u"--lot"_s, u"L-2026-A"_s}, {0, 4, 7, 8}),
                 (QStringList{u"L-2026-A|1.250|%1|%2"_s.arg(customers[0], today),
                              u"L-2026-A|0.250|%1|%2"_s.arg(customers[0], today)}));
        QCOMPARE(traced(folder, {u"--package"_s, barkod + u"00750"_s}, {0, 4, 7}),
                 (QStringList{u"L-2026-B|0.750|%1"_s.arg(customers[1])}));
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(traced(folder, {u"--customer"_s, customers[c], u"--from"_s, today, u"--to"_s, today},
                            {3, 4, 5}),
                     (QStringList{c == 0 ? u"L-2026-A|2|1.500"_s : u"L-2026-B|1|0.750"_s}));
        }
    }

    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(JournalCommand::run({u"journal"_s, u"--verify"_s}, folder, outStream, errStream), 0);
    CurrentPrinter::printer().setOutputFileName(QString());
}

QTEST_MAIN(TestPackageTrace)
#include "test_package_trace.moc"
