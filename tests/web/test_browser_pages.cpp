#include "LoopbackPages.h"
#include "PageTools.h"

#include "data/StationDatabase.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"
#include "support/BrowserSession.h"
#include "support/ServeProcess.h"
#include "support/TestStation.h"
#include "web/PlantPages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Chromium = u"/usr/bin/chromium"_s;
// A name a careless page would turn into an element.
const QString Hostile = u"<img src=x onerror=\"document.title='ele geçti'\"> Kuzu"_s;

// The DOM a real browser builds from `url`, with this thread's event loop
// running meanwhile (a loopback server of the test may answer it).
QString browserDom(const QString &url, const QString &dir, QString *why, const QStringList &extra = {})
{
    QProcess chromium;
    chromium.start(Chromium,
                   QStringList{u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s,
                               u"--no-first-run"_s, u"--disable-background-networking"_s,
                               u"--disable-component-update"_s, u"--disable-sync"_s, u"--no-proxy-server"_s,
                               u"--user-data-dir="_s + dir + u"/profile"_s, u"--dump-dom"_s}
                       + extra + QStringList{url});
    QDeadlineTimer deadline(120000);
    while (!chromium.waitForFinished(20) && !deadline.hasExpired())
        QCoreApplication::processEvents();
    if (chromium.state() != QProcess::NotRunning) {
        chromium.kill();
        chromium.waitForFinished();
        *why = u"chromium did not finish"_s;
        return {};
    }
    if (chromium.exitCode() != 0)
        *why = QString::fromUtf8(chromium.readAllStandardError());
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

} // namespace

class TestBrowserPages : public QObject
{
    Q_OBJECT

private slots:
    void browserShowsTheCsvNumbers();
    void openPageShowsANewPackage();
};

void TestBrowserPages::browserShowsTheCsvNumbers()
{
    if (!QFileInfo(Chromium).isExecutable())
        QSKIP("no chromium here to render the page");
    TestStation station;
    {
        StationDatabase stok(QDir(station.stationDir()).filePath(u"Stok.db"_s), Schema::File::Stok);
        QString error;
        QVERIFY(PageTools::insert(
            stok.database(), u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, ?)"_s,
            {{u"1"_s, u"Sucuk"_s, u"Kg"_s}, {u"2"_s, Hostile, u"Kg"_s}, {u"3"_s, u"Çiğ Köfte"_s, u"Kg"_s}},
            &error));
        QVERIFY(PageTools::insert(
            stok.database(), u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)"_s,
            {{u"2026-12-01"_s, u"Sucuk"_s, 12.345, 0},
             {u"2026-12-31"_s, u"Sucuk"_s, 0.005, 0},
             {u"2026-12-15"_s, Hostile, 1234.5, 0},
             {u"2026-12-15"_s, u"Çiğ Köfte"_s, 0.001, 0}},
            &error));
        QVERIFY(PageTools::insert(
            stok.database(),
            u"INSERT INTO Paket(Anahtar, Zaman, Istasyon, \"Ürün\", Kilo, Parti, Cari, Alsat, "
            u"Tarih) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            {{u"a"_s, u"2026-12-01T08:00:00"_s, u"Kesim 1"_s, u"Sucuk"_s, 12.345, u"L"_s, u"Ali Et"_s, 0,
              u"2026-12-01"_s}},
            &error));
    }
    // The month page from the real server, under its security headers, to a
    // browser logged in through the form.
    station.writeStationFile(u"Personel.Txt"_s, "Veli\r\n");
    PasswordHash::setCost(PasswordHash::lightest());
    QVERIFY(StaffPasswords().store(u"Veli"_s, u"2468"_s));
    ServeProcess server;
    QVERIFY2(server.start({u"--folder"_s, station.stationDir()}), server.errors().constData());
    BrowserSession browser;
    QVERIFY2(browser.open(u"http://127.0.0.1:%1/ay?ay=2026-12"_s.arg(server.port())),
             qPrintable(browser.lastError()));
    QVERIFY2(browser.submitLogin(u"Veli"_s, u"2468"_s), qPrintable(browser.lastError()));
    QVERIFY2(browser.waitUntil(u"location.pathname === '/ay' && document.getElementById('urunler') !== null"_s),
             qPrintable(browser.evaluate(u"document.body.innerText"_s).toString()));
    const QString dom = browser.evaluate(u"document.documentElement.outerHTML"_s).toString();
    const PlantPages pages(station.stationDir(), {});

    const QList<QStringList> totals =
        PageTools::csvRows(PageTools::get(pages, u"/csv/report?month=2026-12"_s).body);
    QCOMPARE(PageTools::tableRows(dom, u"urunler"_s), totals);
    const QList<QStringList> expected{{u"Ürün"_s, u"Kilo"_s},
                                      {Hostile, u"1234.500"_s},
                                      {u"Çiğ Köfte"_s, u"0.001"_s},
                                      {u"Sucuk"_s, u"12.350"_s}};
    QCOMPARE(totals, expected);
    QCOMPARE(PageTools::tableRows(dom, u"cari"_s),
             PageTools::csvRows(PageTools::get(pages, u"/csv/cari?ay=2026-12"_s).body));
    QCOMPARE(dom.count(u"<rect "_s), 3);
    QVERIFY2(!dom.contains(u"<img"_s) && !dom.contains(u"ele geçti</title>"_s), qPrintable(dom));
}

void TestBrowserPages::openPageShowsANewPackage()
{
    if (!QFileInfo(Chromium).isExecutable())
        QSKIP("no chromium here to render the page");
    TestStation station;
    StationDatabase stok(QDir(station.stationDir()).filePath(u"Stok.db"_s), Schema::File::Stok);
    const QString insertPackage = u"INSERT INTO Paket(Anahtar, Zaman, Istasyon, \"Ürün\", Kilo, Parti) "
                                  u"VALUES (?, ?, 'Kesim 1', ?, 1.5, 'L')"_s;
    QString error;
    QVERIFY(PageTools::insert(stok.database(), insertPackage,
                              {{u"ilk"_s, u"2026-12-09T08:00:00"_s, u"Sucuk"_s}}, &error));

    // The package arrives while the page is open: at its first poll.
    const PlantPages pages(station.stationDir(), {});
    LoopbackPages server(pages);
    QVERIFY(server.listen());
    int polls = 0;
    server.onRequest([&](const WebRequest &request) {
        if (request.path == u"/veri"_s && polls++ == 0) {
            PageTools::insert(stok.database(), insertPackage,
                              {{u"yeni"_s, u"2026-12-09T08:01:00"_s, u"Kavurma"_s}}, &error);
        }
    });
    const QTemporaryDir dir;
    QString why;
    const QString dom = browserDom(u"http://127.0.0.1:%1/son"_s.arg(server.port()), dir.path(), &why,
                                   {u"--virtual-time-budget=5000"_s});
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QVERIFY(polls > 0);
    const QList<QStringList> shown = PageTools::tableRows(dom, u"paketler"_s);
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[1].value(4), u"Kavurma"_s);
}

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "test_browser_pages.moc"
