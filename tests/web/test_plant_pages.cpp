#include "PageTools.h"

#include "data/CentralDatabase.h"
#include "data/StationDatabase.h"
#include "journal/JournalFile.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"
#include "web/PlantPages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using PageTools::get;
using PageTools::tableRows;

namespace {

const QStringList Products = {u"Çiğ Köfte"_s,  u"Dana Kıyma"_s, u"Işkembe"_s,  u"İnegöl Köfte"_s,
                              u"Koç'un Eti"_s, u"Sucuk"_s,      u"Şiş Kebap"_s};

constexpr char16_t StokSql[] = u"INSERT INTO \"Stok\"(\"Barkod\", \"Ürün\", \"Birim\") VALUES (?, ?, ?)";
constexpr char16_t MovementSql[] =
    u"INSERT INTO \"StokHaraket\"(\"Tarih\", \"Ürün\", \"Miktar\", \"Alsat\") VALUES (?, ?, ?, ?)";
constexpr char16_t PaketSql[] =
    u"INSERT INTO \"Paket\"(\"Anahtar\", \"Zaman\", \"Istasyon\", \"Personel\", \"Ürün\", \"Kilo\", "
    u"\"Parti\", \"Cari\", \"Alsat\", \"Tarih\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// "12.345" from grams, without the code's number formatting.
QString gramsText(qint64 grams)
{
    const QString sign = grams < 0 ? u"-"_s : QString();
    grams = std::abs(grams);
    return sign + QString::number(grams / 1000) + u'.'
        + QString::number(grams % 1000).rightJustified(3, u'0');
}

struct Movement
{
    QString tarih;
    QString product;
    qint64 grams;
    int alsat;
};

// Three months of both directions, a product that cancels out on one day,
// and movements on the months' last days.
QList<Movement> movements()
{
    QList<Movement> list = {{u"2024-02-29"_s, u"Koç'un Eti"_s, 7500, 0},
                            {u"2024-02-10"_s, u"Sucuk"_s, 1100, 0},
                            {u"2024-02-10"_s, u"Sucuk"_s, -1100, 0},
                            {u"2024-01-31"_s, u"Dana Kıyma"_s, 4321, 1}};
    QRandomGenerator random(20240229);
    for (QDate day(2024, 1, 1); day <= QDate(2024, 3, 31); day = day.addDays(1)) {
        for (int n = random.bounded(4); n > 0; --n) {
            const QString product = Products[random.bounded(int(Products.size()) - 1)];
            if (product == u"Sucuk"_s)
                continue;
            const qint64 grams = random.bounded(1, 90000) * (random.bounded(10) == 0 ? -1 : 1);
            list.append({day.toString(Qt::ISODate), product, grams, random.bounded(2)});
        }
    }
    return list;
}

void seedMovements(const QSqlDatabase &stok)
{
    QList<QVariantList> stokRows;
    for (qsizetype i = Products.size() - 1; i >= 0; --i) // stored out of order
        stokRows.append({u"20000%1"_s.arg(i + 10), Products[i], u"Kg"_s});
    QList<QVariantList> moves;
    for (const Movement &m : movements())
        moves.append({m.tarih, m.product, m.grams / 1000.0, m.alsat});
    QString error;
    QVERIFY2(PageTools::insert(stok, QString::fromUtf16(StokSql), stokRows, &error), qPrintable(error));
    QVERIFY2(PageTools::insert(stok, QString::fromUtf16(MovementSql), moves, &error), qPrintable(error));
}

QList<QVariantList> packagesOfDecember()
{
    const QVariant none;
    return {
        {u"a1"_s, u"2026-12-07T08:00:00"_s, u"Kesim 1"_s, u"Ayşe"_s, u"Sucuk"_s, 1.25, u"L1"_s, u"Ali Et"_s,
         0, u"2026-12-07"_s},
        {u"a2"_s, u"2026-12-07T09:30:00"_s, u"Kesim 2"_s, u"Ayşe"_s, u"Dana Kıyma"_s, 2.5, u"L1"_s,
         u"Çetin Gıda"_s, 0, u"2026-12-07"_s},
        {u"a3"_s, u"2026-12-08T10:00:00"_s, u"Kesim 1"_s, u"Can"_s, u"Sucuk"_s, 0.335, u"L2"_s, u"Ali Et"_s,
         0, u"2026-12-08"_s},
        {u"a4"_s, u"2026-12-08T11:00:00"_s, u"Kesim 1"_s, u"Can"_s, u"Sucuk"_s, 4.0, u"L2"_s, u"Ali Et"_s, 1,
         u"2026-12-08"_s},
        {u"a5"_s, u"2026-12-08T23:59:59"_s, u"Kesim 2"_s, u"Can"_s, u"Sucuk"_s, 3.1, u"L2"_s, none, none,
         none},
        {u"a6"_s, u"2026-11-30T23:59:59"_s, u"Kesim 1"_s, u"Can"_s, u"Sucuk"_s, 9.0, u"L0"_s, u"Ali Et"_s, 0,
         u"2026-11-30"_s},
    };
}

QString report(const QStringList &arguments, const QString &csvFile)
{
    QProcess process;
    process.start(QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s,
                  QStringList{u"report"_s} + arguments + QStringList{u"--csv"_s, csvFile});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QString::fromUtf8(process.readAllStandardError());
    return {};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPlantPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pagesShowTheReportsSums_data();
    void pagesShowTheReportsSums();
    void customersAndStations_data();
    void customersAndStations();
    void emptyFolderShowsEmptyTables();
    void hostileNamesStayText();
    void badRequests_data();
    void badRequests();
    void lastPackagesSlipsAndStations();
    void centralServer();

private:
    QString folder() const { return m_station->stationDir(); }
    std::unique_ptr<TestStation> m_station;
};

void TestPlantPages::init()
{
    m_station = std::make_unique<TestStation>();
    qputenv("XDG_RUNTIME_DIR", m_station->root().toUtf8());
}

void TestPlantPages::pagesShowTheReportsSums_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QStringList>("command");

    QTest::newRow("leap day") << u"/gun?tarih=2024-02-29"_s << u"/csv/report?day=2024-02-29"_s
                              << QStringList{u"--day"_s, u"2024-02-29"_s};
    QTest::newRow("day that cancels out") << u"/gun?tarih=2024-02-10"_s << u"/csv/report?day=2024-02-10"_s
                                          << QStringList{u"--day"_s, u"2024-02-10"_s};
    QTest::newRow("January, purchases")
        << u"/ay?ay=2024-01&alis=1"_s << u"/csv/report?month=2024-01&purchase=1"_s
        << QStringList{u"--month"_s, u"2024-01"_s, u"--purchase"_s};
    QTest::newRow("February, sales") << u"/ay?ay=2024-02"_s << u"/csv/report?month=2024-02"_s
                                     << QStringList{u"--month"_s, u"2024-02"_s};
    QTest::newRow("March, purchases")
        << u"/ay?ay=2024-03&alis=1"_s << u"/csv/report?month=2024-03&purchase=1"_s
        << QStringList{u"--month"_s, u"2024-03"_s, u"--purchase"_s};
}

void TestPlantPages::pagesShowTheReportsSums()
{
    QFETCH(QString, page);
    QFETCH(QString, csv);
    QFETCH(QStringList, command);
    {
        StationDatabase stok(QDir(folder()).filePath(u"Stok.db"_s), Schema::File::Stok);
        seedMovements(stok.database());
    }
    const QString file = m_station->root() + u"/report.csv"_s;
    const QString failure = report(command, file);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QByteArray expected = readFile(file);

    const PlantPages pages(folder(), {});
    const WebResponse download = get(pages, csv);
    QCOMPARE(download.status, 200);
    QCOMPARE(download.contentType, QByteArray("text/csv; charset=utf-8"));
    QCOMPARE(download.body, expected);
    QCOMPARE(get(pages, QString(page).replace(QRegularExpression(u"^/(gun|ay)"_s), u"/csv/urunler"_s)).body,
             expected);

    const WebResponse shown = get(pages, page);
    QCOMPARE(shown.status, 200);
    const QString html = QString::fromUtf8(shown.body);
    const QList<QStringList> csvRows = PageTools::csvRows(expected);
    QCOMPARE(tableRows(html, u"urunler"_s), csvRows);
    QVERIFY(html.contains(u"href=\"%1\""_s.arg(QString(csv).replace(u"&"_s, u"&amp;"_s))));

    // One bar per product, in the table's order, its height in proportion.
    static const QRegularExpression rect(
        u"<rect[^>]*height=\"([0-9.]+)\" data-kg=\"([-0-9.]+)\"><title>([^<]*)</title>"_s);
    QList<QPair<double, double>> bars;
    QStringList titles;
    for (auto m = rect.globalMatch(html); m.hasNext();) {
        const auto bar = m.next();
        bars.append({bar.captured(1).toDouble(), bar.captured(2).toDouble()});
        titles << bar.captured(3);
    }
    QCOMPARE(bars.size(), csvRows.size() - 1);
    for (qsizetype i = 0; i < bars.size(); ++i) {
        QCOMPARE(bars[i].second, csvRows[i + 1][1].toDouble());
        QVERIFY(titles[i].startsWith(QString(csvRows[i + 1][0]).replace(u"'"_s, u"&#39;"_s)));
        QVERIFY2(std::abs(bars[i].first / std::abs(bars[i].second) - bars[0].first / std::abs(bars[0].second))
                     < 1e-3,
                 qPrintable(titles[i]));
    }
}

void TestPlantPages::customersAndStations_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<QStringList>>("rows");

    const QStringList customers{u"Cari"_s, u"Paket"_s, u"Kilo"_s};
    const QStringList stations{u"İstasyon"_s, u"Paket"_s, u"Kilo"_s};
    QTest::newRow("month's customers")
        << u"ay=2026-12"_s << u"cari"_s
        << QList<QStringList>{
               customers, {u"Ali Et"_s, u"2"_s, u"1.585"_s}, {u"Çetin Gıda"_s, u"1"_s, u"2.500"_s}};
    QTest::newRow("day's purchases") << u"tarih=2026-12-08&alis=1"_s << u"cari"_s
                                     << QList<QStringList>{customers, {u"Ali Et"_s, u"1"_s, u"4.000"_s}};
    QTest::newRow("month's stations, booked or not")
        << u"ay=2026-12"_s << u"istasyon"_s
        << QList<QStringList>{
               stations, {u"Kesim 1"_s, u"3"_s, u"5.585"_s}, {u"Kesim 2"_s, u"2"_s, u"5.600"_s}};
    QTest::newRow("last second of the day")
        << u"tarih=2026-12-08"_s << u"istasyon"_s
        << QList<QStringList>{
               stations, {u"Kesim 1"_s, u"2"_s, u"4.335"_s}, {u"Kesim 2"_s, u"1"_s, u"3.100"_s}};
}

void TestPlantPages::customersAndStations()
{
    QFETCH(QString, target);
    QFETCH(QString, table);
    QFETCH(QList<QStringList>, rows);
    {
        StationDatabase stok(QDir(folder()).filePath(u"Stok.db"_s), Schema::File::Stok);
        QString error;
        QVERIFY2(
            PageTools::insert(stok.database(), QString::fromUtf16(PaketSql), packagesOfDecember(), &error),
            qPrintable(error));
    }
    const PlantPages pages(folder(), {});
    const QString path = target.startsWith(u"ay"_s) ? u"/ay?"_s : u"/gun?"_s;
    const WebResponse shown = get(pages, path + target);
    QCOMPARE(shown.status, 200);
    QCOMPARE(tableRows(QString::fromUtf8(shown.body), table), rows);
    const WebResponse download = get(pages, u"/csv/"_s + table + u'?' + target);
    QCOMPARE(download.status, 200);
    QCOMPARE(PageTools::csvRows(download.body), rows);
}

void TestPlantPages::emptyFolderShowsEmptyTables()
{
    const PlantPages pages(folder(), {});
    const WebResponse today = get(pages, u"/"_s);
    QCOMPARE(today.status, 200);
    const QString html = QString::fromUtf8(today.body);
    QVERIFY(html.contains(u"Bu dönemde fişe bağlanmış paket kaydı yok."_s));
    QCOMPARE(tableRows(html, u"cari"_s).size(), 1);
    QCOMPARE(get(pages, u"/csv/report?month=2026-12"_s).body, QByteArray("Ürün,Kilo\r\n"));
    QCOMPARE(get(pages, u"/son"_s).status, 200);
    // Looking creates nothing in the station folder.
    QVERIFY(QDir(folder()).isEmpty());
}

void TestPlantPages::hostileNamesStayText()
{
    const QString product = u"<script>alert('x')</script> \"Kuzu\" & Oğlak"_s;
    const QString customer = u"<img src=x onerror=alert(1)>"_s;
    {
        StationDatabase stok(QDir(folder()).filePath(u"Stok.db"_s), Schema::File::Stok);
        QString error;
        QVERIFY(PageTools::insert(stok.database(), QString::fromUtf16(StokSql), {{u"1"_s, product, u"Kg"_s}},
                                  &error));
        QVERIFY(PageTools::insert(stok.database(), QString::fromUtf16(MovementSql),
                                  {{u"2026-12-07"_s, product, 2.5, 0}}, &error));
        QVERIFY(PageTools::insert(stok.database(), QString::fromUtf16(PaketSql),
                                  {{u"k"_s, u"2026-12-07T08:00:00"_s, customer, customer, product, 2.5,
                                    customer, customer, 0, u"2026-12-07"_s}},
                                  &error));
    }
    const PlantPages pages(folder(), {});
    for (const QString &target : {u"/gun?tarih=2026-12-07"_s, u"/son"_s, u"/istasyonlar"_s}) {
        const QString html = QString::fromUtf8(get(pages, target).body);
        QVERIFY2(!html.contains(u"<script>alert"_s) && !html.contains(u"<img"_s), qPrintable(target));
        QVERIFY2(html.contains(u"&lt;img src=x onerror=alert(1)&gt;"_s), qPrintable(target));
    }
    const QString day = QString::fromUtf8(get(pages, u"/gun?tarih=2026-12-07"_s).body);
    QCOMPARE(tableRows(day, u"urunler"_s).value(1), (QStringList{product, u"2.500"_s}));
    QCOMPARE(tableRows(day, u"cari"_s).value(1).value(0), customer);
    QVERIFY(day.contains(
        u"<title>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &quot;Kuzu&quot; &amp; Oğlak: 2,500 Kg</title>"_s));
    QVERIFY(get(pages, u"/csv/report?day=2026-12-07"_s)
                .body.contains("\"<script>alert('x')</script> \"\"Kuzu\"\" & Oğlak\",2.500"));
}

void TestPlantPages::badRequests_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("heading");

    QTest::newRow("31 February") << u"/gun?tarih=2026-02-31"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("day in dots") << u"/gun?tarih=07.12.2026"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("no day") << u"/gun"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("month 13") << u"/ay?ay=2026-13&alis=1"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("day as month") << u"/ay?ay=2026-12-07"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("table of a bad day") << u"/csv/cari?tarih=2026-00-10"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("report of a bad month") << u"/csv/report?month=2026-1"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("report of no period") << u"/csv/report"_s << 400 << u"Geçersiz istek"_s;
    QTest::newRow("report of day and month")
        << u"/csv/report?day=2026-12-07&month=2026-12"_s << 400 << u"Geçersiz istek"_s;
    QTest::newRow("date with markup") << u"/gun?tarih=%3Cscript%3Ex()%3C/script%3E"_s << 400 << u"Geçersiz tarih"_s;
    QTest::newRow("unknown page") << u"/yonetim"_s << 404 << u"Sayfa bulunamadı"_s;
    QTest::newRow("unknown table") << u"/csv/Stok"_s << 404 << u"Sayfa bulunamadı"_s;
    QTest::newRow("path with a trailing slash") << u"/son/"_s << 404 << u"Sayfa bulunamadı"_s;
}

void TestPlantPages::badRequests()
{
    QFETCH(QString, target);
    QFETCH(int, status);
    QFETCH(QString, heading);
    const PlantPages pages(folder(), {});
    const WebResponse response = get(pages, target);
    QCOMPARE(response.status, status);
    QCOMPARE(response.contentType, QByteArray("text/html; charset=utf-8"));
    const QString body = QString::fromUtf8(response.body);
    QVERIFY(body.contains(u"<h1>"_s + heading + u"</h1>"_s));
    QVERIFY(!body.contains(u"<script>x"_s));
}

void TestPlantPages::lastPackagesSlipsAndStations()
{
    StationDatabase stok(QDir(folder()).filePath(u"Stok.db"_s), Schema::File::Stok);
    QList<QVariantList> packages;
    for (int i = 1; i <= PlantPages::LastRows + 10; ++i) {
        packages.append({u"k%1"_s.arg(i), u"2026-12-07T08:%1:00"_s.arg(i % 60, 2, 10, QChar(u'0')),
                         i % 2 ? u"Kesim 1"_s : u"Kesim 2"_s, u"Ayşe"_s, u"Sucuk"_s, i / 1000.0, u"L"_s,
                         QVariant(), QVariant(), QVariant()});
    }
    QString error;
    QVERIFY(PageTools::insert(stok.database(), QString::fromUtf16(PaketSql), packages, &error));

    const QString journal = JournalFile::path(folder());
    const auto entry = [](const QString &time, const QString &station, const QString &kind,
                          const QString &reason) {
        JournalEntry e;
        e.time = QDateTime::fromString(time, Qt::ISODate);
        e.station = station;
        e.staff = u"Ayşe"_s;
        e.kind = kind;
        e.customer = u"Ali Et"_s;
        e.rows = 3;
        e.kilograms = 7.25;
        e.reason = reason;
        return e;
    };
    QVERIFY(
        JournalFile::append(journal, entry(u"2026-12-07T09:00:00"_s, u"Kesim 2"_s, JournalKind::Slip, {})));
    QVERIFY(JournalFile::append(
        journal,
        entry(u"2026-12-07T09:05:00"_s, u"Kesim 2"_s, JournalKind::SlipAbandoned, u"Kağıt bitti"_s)));
    QVERIFY(
        JournalFile::append(journal, entry(u"2026-12-07T09:10:00"_s, u"Kesim 2"_s, JournalKind::Login, {})));
    QVERIFY(
        JournalFile::append(journal, entry(u"2026-12-07T07:00:00"_s, u"Ofis"_s, JournalKind::Setting, {})));

    const PlantPages pages(folder(), {});
    const QString last = QString::fromUtf8(get(pages, u"/son"_s).body);
    const QList<QStringList> shown = tableRows(last, u"paketler"_s);
    QCOMPARE(shown.size(), PlantPages::LastRows + 1);
    QCOMPARE(shown[1].value(0), u"%1"_s.arg(PlantPages::LastRows + 10));
    QCOMPARE(shown.last().value(0), u"11"_s);
    QCOMPARE(PageTools::csvRows(get(pages, u"/csv/paketler"_s).body), shown);

    QCOMPARE(tableRows(last, u"fisler"_s).mid(1),
             (QList<QStringList>{{u"2026-12-07 09:05:00"_s, u"Kesim 2"_s, u"Ayşe"_s, u"Ali Et"_s, u"3"_s,
                                  u"7.250"_s, QString(), u"İptal: Kağıt bitti"_s},
                                 {u"2026-12-07 09:00:00"_s, u"Kesim 2"_s, u"Ayşe"_s, u"Ali Et"_s, u"3"_s,
                                  u"7.250"_s, QString(), u"Basıldı"_s}}));

    // The journal's and the packages' latest word per station.
    const QString stations = QString::fromUtf8(get(pages, u"/istasyonlar"_s).body);
    QCOMPARE(tableRows(stations, u"istasyonlar"_s).mid(1),
             (QList<QStringList>{
                 {u"Kesim 1"_s, u"2026-12-07 08:59:00"_s, u"paket"_s, QString(), QString()},
                 {u"Kesim 2"_s, u"2026-12-07 09:10:00"_s, JournalKind::Login, u"2026-12-07 09:05:00"_s,
                  JournalKind::SlipAbandoned + u": Kağıt bitti"_s},
                 {u"Ofis"_s, u"2026-12-07 07:00:00"_s, JournalKind::Setting, QString(), QString()}}));

    // The marker the open page polls moves with a new package and a new journal entry.
    const auto marker = [&pages] { return get(pages, u"/veri"_s).body; };
    const QByteArray before = marker();
    QVERIFY(before.startsWith("{\"isaret\":\"") && before.size() > 14);
    QCOMPARE(marker(), before);
    QVERIFY(PageTools::insert(stok.database(), QString::fromUtf16(PaketSql),
                              {{u"yeni"_s, u"2026-12-07T10:00:00"_s, u"Kesim 1"_s, u"Ayşe"_s, u"Sucuk"_s, 1.0,
                                u"L"_s, QVariant(), QVariant(), QVariant()}},
                              &error));
    const QByteArray afterPackage = marker();
    QVERIFY(afterPackage != before);
    QSqlQuery book(stok.database());
    QVERIFY(book.exec(u"UPDATE Paket SET Cari = 'Ali Et', Alsat = 0, Tarih = '2026-12-07' WHERE Anahtar = 'yeni'"_s));
    const QByteArray afterBooking = marker();
    QVERIFY(afterBooking != afterPackage);
    QVERIFY(
        JournalFile::append(journal, entry(u"2026-12-07T10:01:00"_s, u"Kesim 1"_s, JournalKind::Slip, {})));
    QVERIFY(marker() != afterBooking);
}

void TestPlantPages::centralServer()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    CentralDatabase central(*location);
    QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
    seedMovements(central.database());
    QString error;
    QVERIFY2(
        PageTools::insert(central.database(), QString::fromUtf16(PaketSql), packagesOfDecember(), &error),
        qPrintable(error));

    QMap<QString, qint64> grams;
    for (const Movement &m : movements()) {
        if (m.alsat == 0 && m.tarih.startsWith(u"2024-02"_s))
            grams[m.product] += m.grams;
    }
    QByteArray expected = "Ürün,Kilo\r\n";
    for (const QString &product : Products) {
        if (grams.value(product) != 0)
            expected += (product + u',' + gramsText(grams.value(product)) + u"\r\n"_s).toUtf8();
    }

    const PlantPages pages({}, location->display());
    QCOMPARE(get(pages, u"/csv/report?month=2024-02"_s).body, expected);
    const QString month = QString::fromUtf8(get(pages, u"/ay?ay=2024-02"_s).body);
    QCOMPARE(tableRows(month, u"urunler"_s), PageTools::csvRows(expected));
    QCOMPARE(tableRows(QString::fromUtf8(get(pages, u"/ay?ay=2026-12"_s).body), u"cari"_s).value(1),
             (QStringList{u"Ali Et"_s, u"2"_s, u"1.585"_s}));
    const QString last = QString::fromUtf8(get(pages, u"/son"_s).body);
    QCOMPARE(tableRows(last, u"paketler"_s).size(), 7);
    QVERIFY(last.contains(u"Kayıt defterinde fiş yok."_s));

    const PlantPages unreachable({}, u"postgresql://nobody@127.0.0.1:1/yok"_s);
    const WebResponse down = get(unreachable, u"/"_s);
    QCOMPARE(down.status, 503);
    QVERIFY(QString::fromUtf8(down.body).contains(u"Veriler okunamadı"_s));
}

QTEST_GUILESS_MAIN(TestPlantPages)
#include "test_plant_pages.moc"
