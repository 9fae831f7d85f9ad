#include "app/Form1.h"
#include "data/CentralDatabase.h"
#include "data/Schema.h"
#include "data/ServerListCache.h"
#include "data/StationDatabase.h"
#include "station/DatabaseSetting.h"
#include "station/SettingsStore.h"
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
};

// The lists kept from an earlier day show at once and the order left open
// comes back for its customer; the server's own lists follow when it answers.
void TestCentralWindow::comesUpWithoutTheServerAndFillsWhenItAnswers()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    TestStation station;
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
        QSqlQuery insert(central.database());
        QVERIFY(insert.exec(QString::fromUtf16(AddAccountsSql)));
        QCOMPARE(ServerListCache::refresh(central, station.stationDir()).failure, QString());
        // Added at the office after the lists were kept.
        QVERIFY(insert.exec(u"INSERT INTO \"Cari\"(\"Unvan\", \"Gurup\") "
                            u"VALUES ('Bal Et', 'MÜŞTERİ')"_s));
        StationDatabase tavran(QDir(station.stationDir()).filePath(u"Tavran.db"_s),
                               Schema::File::Tavran);
        QVERIFY(QSqlQuery(tavran.database())
                    .exec(u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES ('Sucuk', 2.5)"_s));
    }
    WriteRegValue(u"SiparisMusteri"_s, u"Çınar Kasap"_s);
    DatabaseSetting::setOverride(location->display());
    QVERIFY(TestPostgres::stopServer());
    Form1 window(station.stationDir());
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    const auto *notice = window.findChild<QLabel *>(u"PrintNotice"_s);
    const auto *list = window.findChild<ListBox *>(u"List1"_s);
    const auto *customer = window.findChild<QLineEdit *>(u"MusTxt"_s);
    const QStringList listedWhileAway = list ? list->items() : QStringList();
    const QString customerWhileAway = customer ? customer->text() : QString();
    const bool noticeShown =
        QTest::qWaitFor([notice] { return unreachableNoticeShown(notice); }, 20000);
    QVERIFY(TestPostgres::startServer()); // before any check can return early
    QVERIFY(exposed);
    QCOMPARE(listedWhileAway, (QStringList{u"Acar Et"_s, u"Çınar Kasap"_s}));
    QCOMPARE(customerWhileAway, u"Çınar Kasap"_s);
    QVERIFY2(noticeShown, qPrintable(notice ? notice->text() : u"no notice"_s));

    // The window keeps trying; the list fills in Turkish order once the server answers.
    QTRY_COMPARE_WITH_TIMEOUT(list->items(),
                              (QStringList{u"Acar Et"_s, u"Bal Et"_s, u"Çınar Kasap"_s}), 20000);
    QVERIFY(!notice->isVisible());
    QCOMPARE(customer->text(), u"Çınar Kasap"_s);
}

QTEST_MAIN(TestCentralWindow)
#include "test_central_window.moc"
