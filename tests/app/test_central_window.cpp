#include "app/Form1.h"
#include "data/CentralDatabase.h"
#include "station/DatabaseSetting.h"
#include "support/TestPostgres.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"

#include <QLabel>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCentralWindow : public QObject
{
    Q_OBJECT
private slots:
    void comesUpWithoutTheServerAndFillsWhenItAnswers();
};

void TestCentralWindow::comesUpWithoutTheServerAndFillsWhenItAnswers()
{
    TAVRAN_REQUIRE_POSTGRES(location);
    {
        CentralDatabase central(*location);
        QVERIFY2(central.initSchema(), qPrintable(central.lastError()));
        QSqlQuery insert(central.database());
        QVERIFY(insert.exec(u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") "
                            u"VALUES ('1', 'Çınar Kasap', 'MÜŞTERİ'), ('2', 'Acar Et', 'Müşteri')"_s));
    }
    TestStation station;
    DatabaseSetting::setOverride(location->display());
    QVERIFY(TestPostgres::stopServer());
    Form1 window(station.stationDir());
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    const auto *notice = window.findChild<QLabel *>(u"PrintNotice"_s);
    const auto *list = window.findChild<ListBox *>(u"List1"_s);
    const bool noticeShown = notice && notice->isVisible()
                             && notice->text().contains(u"Merkez veritabanına bağlanılamadı"_s);
    const int listedWhileAway = list ? list->count() : -1;
    QVERIFY(TestPostgres::startServer()); // before any check can return early
    QVERIFY(exposed);
    QVERIFY2(noticeShown, qPrintable(notice ? notice->text() : u"no notice"_s));
    QCOMPARE(listedWhileAway, 0);

    // The window keeps trying; the list fills in Turkish order once the server answers.
    QTRY_COMPARE_WITH_TIMEOUT(list->items(), (QStringList{u"Acar Et"_s, u"Çınar Kasap"_s}), 20000);
    QVERIFY(!notice->isVisible());
}

QTEST_MAIN(TestCentralWindow)
#include "test_central_window.moc"
