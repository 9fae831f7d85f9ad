#include "PageTools.h"

#include "data/StationDatabase.h"
#include "support/TestStation.h"
#include "web/PlantPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Chromium = u"/usr/bin/chromium"_s;
// A name a careless page would turn into an element.
const QString Hostile = u"<img src=x onerror=\"document.title='ele geçti'\"> Kuzu"_s;

// The DOM a real browser builds from `html`, read from a file with no network.
QString browserDom(const QByteArray &html, const QString &dir, QString *why)
{
    const QString page = dir + u"/sayfa.html"_s;
    QFile file(page);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size()) {
        *why = u"cannot write the page"_s;
        return {};
    }
    file.close();
    QProcess chromium;
    chromium.start(
        Chromium,
        {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s, u"--no-first-run"_s,
         u"--disable-background-networking"_s, u"--disable-component-update"_s, u"--disable-sync"_s,
         u"--user-data-dir="_s + dir + u"/profile"_s, u"--dump-dom"_s, QUrl::fromLocalFile(page).toString()});
    if (!chromium.waitForFinished(120000)) {
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
    const PlantPages pages(station.stationDir(), {});
    const QTemporaryDir dir;
    QString why;
    const QString dom = browserDom(PageTools::get(pages, u"/ay?ay=2026-12"_s).body, dir.path(), &why);
    QVERIFY2(why.isEmpty() && dom.contains(u"</html>"_s), qPrintable(why));

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

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "test_browser_pages.moc"
