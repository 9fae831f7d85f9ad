#include "app/Form1.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "printing/CurrentPrinter.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"
#include "station/SettingsStore.h"
#include "support/BrowserSession.h"
#include "support/HeadlessBrowser.h"
#include "support/ScreenDriver.h"
#include "support/ServeProcess.h"
#include "support/TcpScale.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QPrinter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The rows of the open page's package table as "staff|product|kilo", read
// from the live DOM: what the refresh script put there, no reload.
const QString ShownPackages =
    u"Array.from(document.querySelectorAll('#paketler tr'))"
    u".map(function(r){return Array.from(r.cells).slice(3,6).map(function(c){return c.textContent;})"
    u".join('|');}).join('\\n')"_s;

} // namespace

// A package weighed at the station shows up on a manager's open page, with
// the window, the scale, `tavran serve` and the browser all real.
class TestPageFollowsWindow : public QObject
{
    Q_OBJECT
private slots:
    void weighedPackageAppearsOnTheOpenPage();
};

void TestPageFollowsWindow::weighedPackageAppearsOnTheOpenPage()
{
    if (HeadlessBrowser::executable().isEmpty())
        QSKIP(qPrintable(HeadlessBrowser::missingReason()));
    PasswordHash::setCost(PasswordHash::lightest());
    ScreenFixture screen;
    const QString folder = screen.folder();
    QVERIFY(DemoStation::create(folder));
    QVERIFY(StaffPasswords().store(u"Ayşe Demir"_s, u"2468"_s));

    TcpScale scale;
    QVERIFY(scale.server.isListening());
    scale.becomeStationScale();
    SaveAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s);
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(screen.station().root() + u"/printed.pdf"_s);

    screen.open();
    Form1 &window = screen.window();
    ScreenDriver &driver = screen.driver();
    QVERIFY(scale.waitForStation());
    driver.tapEntry(u"List3"_s, 1);
    driver.typeKeypad(u"4711E"_s);
    QVERIFY(window.girisFrm()->isHidden());

    ServeProcess server;
    QVERIFY2(server.start({u"--folder"_s, folder}), server.errors().constData());
    BrowserSession browser;
    QVERIFY2(browser.open(u"http://127.0.0.1:%1/son"_s.arg(server.port())), qPrintable(browser.lastError()));
    QVERIFY2(browser.submitLogin(u"Ayşe Demir"_s, u"2468"_s), qPrintable(browser.lastError()));
    QVERIFY2(browser.waitUntil(u"location.pathname === '/son' && document.getElementById('paketler') !== null"_s),
             qPrintable(browser.evaluate(u"document.body.innerText"_s).toString()));
    // The script is running once the page has asked for the marker; a
    // package before that would be on the page for the wrong reason.
    QVERIFY2(browser.waitUntil(u"performance.getEntriesByType('resource')"
                               u".some(function(e){return new URL(e.name).pathname === '/veri';})"_s),
             qPrintable(browser.evaluate(u"document.body.innerText"_s).toString()));
    QVERIFY(!browser.evaluate(ShownPackages).toString().contains(u"Dana Kuşbaşı"_s));
    browser.evaluate(u"window.ayniSayfa = true"_s); // gone if the page were loaded anew

    driver.tapEntry(u"List1"_s, 0);
    driver.tap(u"Command1"_s);
    auto *products = driver.get<ListBox>(u"List2"_s);
    const int row = products->findExact(u"Dana Kuşbaşı"_s);
    products->scrollTo(products->model()->index(row, 0));
    driver.tapEntry(u"List2"_s, row);
    driver.tap(u"Command2(3)"_s);
    scale.send("+0001.250 kg\r\n");
    QTRY_COMPARE(driver.text(u"Label4(0)"_s), u"1,250 Kg "_s);

    QElapsedTimer sinceTap;
    sinceTap.start();
    driver.tap(u"Command4(2)"_s); // " Ekle Ve Devam Et"
    driver.tap(u"Command4(1)"_s); // "Tartım Tamam"
    // Two seconds of wall time from the tap, the taps and each look at the page included.
    const bool shown = QTest::qWaitFor(
        [&] { return browser.evaluate(ShownPackages).toString().split(u'\n').contains(u"Ahmet Yılmaz|Dana Kuşbaşı|1,250"_s); },
        2000 - int(sinceTap.elapsed()));
    QVERIFY2(shown, qPrintable(browser.evaluate(ShownPackages).toString()));
    QCOMPARE(browser.evaluate(u"window.ayniSayfa === true"_s).toBool(), true);
    qInfo("on the open page %lld ms after the tap", qint64(sinceTap.elapsed()));

    QCOMPARE(server.stop(), 0);
    window.data().deleteAllRows(window.data().data3());
    CurrentPrinter::printer().setOutputFileName(QString());
}

QTEST_MAIN(TestPageFollowsWindow)
#include "test_page_follows_window.moc"
