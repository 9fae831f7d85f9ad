#include "station/EngineText.h"

#include <QTest>

using namespace Qt::StringLiterals;

// What the operator reads when the engine fails: Turkish, with the
// station's own words and the product's name kept.
class TestEngineText : public QObject
{
    Q_OBJECT
private slots:
    void operatorReadsTurkish_data();
    void operatorReadsTurkish();
};

void TestEngineText::operatorReadsTurkish_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("shown");

    QTest::newRow("locked, from a record") << u"insert: database is locked"_s
                                           << u"veritabanını başka bir program kilitli tutuyor"_s;
    QTest::newRow("locked, inside a booking's text")
        << u"«Dana Kuşbaşı» işlenemedi (database is locked); fişin satırları işlenmedi"_s
        << u"«Dana Kuşbaşı» işlenemedi (veritabanını başka bir program kilitli tutuyor); fişin satırları işlenmedi"_s;
    QTest::newRow("constraint names its column") << u"insert: UNIQUE constraint failed: StokHaraket.id"_s
                                                 << u"kayıt veritabanının kurallarına uymuyor: StokHaraket.id"_s;
    QTest::newRow("journal file keeps its path")
        << u"Kayıt defteri yazılamıyor (/srv/tavran/Journal.db): unable to open database file"_s
        << u"Kayıt defteri yazılamıyor (/srv/tavran/Journal.db): veritabanı açılamadı"_s;
    QTest::newRow("server, several lines, said once")
        << u"could not connect to server: Connection refused\n\tIs the server running on host \"10.0.0.5\"?"_s
        << u"merkez sunucuya ulaşılamadı"_s;
    QTest::newRow("unknown English") << u"query: Parameter count mismatch"_s << u"veritabanı hatası"_s;
    QTest::newRow("the station's own Turkish, driver remark dropped")
        << u"insert: disk dolu Unable to fetch row"_s << u"disk dolu"_s;
    QTest::newRow("Turkish stays") << u"Önce listeden bir ürün seçin"_s << u"Önce listeden bir ürün seçin"_s;
    QTest::newRow("an English product name stays") << u"«Server Sucuk» işlenemedi (disk I/O error)"_s
                                                   << u"«Server Sucuk» işlenemedi (disk okunamadı ya da yazılamadı)"_s;
}

void TestEngineText::operatorReadsTurkish()
{
    QFETCH(QString, engine);
    QFETCH(QString, shown);
    QCOMPARE(EngineText::forOperator(engine), shown);
}

QTEST_GUILESS_MAIN(TestEngineText)
#include "test_engine_text.moc"
