#include "app/Form1.h"
#include "data/CentralDatabase.h"
#include "data/Schema.h"
#include "data/ServerListCache.h"
#include "data/StationDatabase.h"
#include "station/DatabaseSetting.h"
#include "station/SettingsStore.h"
#include "support/StalledServer.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t AddAccountsSql[] =
    u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") "
    u"VALUES ('1', 'Çınar Kasap', 'MÜŞTERİ'), ('2', 'Acar Et', 'Müşteri')";

bool unreachableNoticeShown(const QLabel *notice)
{
    return notice && notice->isVisible()
           && notice->text().contains(u"Merkez veritabanına bağlanılamadı"_s);
}

} // namespace

class TestCentralWindow : public QObject
{
    Q_OBJECT
private slots:
    void comesUpWithoutTheServerAndFillsWhenItAnswers();
    void keptListsShowWhileTheServerStalls_data();
    void keptListsShowWhileTheServerStalls();
};

void TestCentralWindow::comesUpWithoutTheServerAndFillsWhenItAnswers()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
        QSqlQuery insert(central.database());
        QVERIFY(insert.exec(QString::fromUtf16(AddAccountsSql)));
    }
    TestStation station;
    DatabaseSetting::setOverride(location->display());
    QVERIFY(TestPostgres::stopServer());
    Form1 window(station.stationDir());
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    const auto *notice = window.findChild<QLabel *>(u"PrintNotice"_s);
    const auto *list = window.findChild<ListBox *>(u"List1"_s);
    const bool noticeShown =
        QTest::qWaitFor([notice] { return unreachableNoticeShown(notice); }, 20000);
    const int listedWhileAway = list ? list->count() : -1;
    QVERIFY(TestPostgres::startServer()); // before any check can return early
    QVERIFY(exposed);
    QVERIFY2(noticeShown, qPrintable(notice ? notice->text() : u"no notice"_s));
    QCOMPARE(listedWhileAway, 0); // nothing kept from before on a new station

    // The window keeps trying; the list fills in Turkish order once the server answers.
    QTRY_COMPARE_WITH_TIMEOUT(list->items(), (QStringList{u"Acar Et"_s, u"Çınar Kasap"_s}), 20000);
    QVERIFY(!notice->isVisible());
}

void TestCentralWindow::keptListsShowWhileTheServerStalls_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("accepts and never answers") << int(StalledServer::Kind::Silent);
    QTest::newRow("never completes the handshake") << int(StalledServer::Kind::Backlogged);
}

// The lists read on an earlier day show at once, and the order left open
// then comes back for its customer, while the server does not answer.
void TestCentralWindow::keptListsShowWhileTheServerStalls()
{
    QFETCH(int, kind);
    TAVRAN_REQUIRE_POSTGRES(location);
    TestStation station;
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
        QSqlQuery insert(central.database());
        QVERIFY(insert.exec(QString::fromUtf16(AddAccountsSql)));
        QCOMPARE(ServerListCache::refresh(central, station.stationDir()).failure, QString());
        StationDatabase tavran(QDir(station.stationDir()).filePath(u"Tavran.db"_s),
                               Schema::File::Tavran);
        QVERIFY(QSqlQuery(tavran.database())
                    .exec(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES ('Sucuk', 2.5)"_s));
    }
    WriteRegValue(u"SiparisMusteri"_s, u"Çınar Kasap"_s);
    const StalledServer stalled{StalledServer::Kind(kind)};
    QVERIFY(stalled.isListening());
    DatabaseSetting::setOverride(stalled.url());

    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto *list = window.findChild<ListBox *>(u"List1"_s);
    const auto *customer = window.findChild<QLineEdit *>(u"MusTxt"_s);
    QVERIFY(list && customer);
    QCOMPARE(list->items(), (QStringList{u"Acar Et"_s, u"Çınar Kasap"_s}));
    QCOMPARE(customer->text(), u"Çınar Kasap"_s);
    const auto *notice = window.findChild<QLabel *>(u"PrintNotice"_s);
    QTRY_VERIFY_WITH_TIMEOUT(unreachableNoticeShown(notice), 20000);
    QCOMPARE(list->items(), (QStringList{u"Acar Et"_s, u"Çınar Kasap"_s}));
}

QTEST_MAIN(TestCentralWindow)
#include "test_central_window.moc"
