#include "data/Criteria.h"
#include "data/TurkishText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTurkishText : public QObject
{
    Q_OBJECT
private slots:
    void like_data();
    void like();
    void sortsInTurkishOrder();
    void criteriaQuotesApostrophes();
    void criteriaRejectsGarbage();
};

void TestTurkishText::like_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");
    QTest::newRow("dotless capital finds dotless") << u"I*"_s << u"IŞIK"_s << true;
    QTest::newRow("dotless capital finds small dotless") << u"I*"_s << u"ıspanak"_s << true;
    QTest::newRow("dotless capital misses dotted") << u"I*"_s << u"İnek"_s << false;
    QTest::newRow("dotted capital finds small i") << u"İ*"_s << u"inek"_s << true;
    QTest::newRow("lower finds upper") << u"dana*"_s << u"DANA KUŞBAŞI"_s << true;
    QTest::newRow("inner star") << u"A*K*"_s << u"AYDIN KASAP"_s << true;
    QTest::newRow("inner star needs order") << u"A*K*"_s << u"AYDIN ET"_s << false;
    QTest::newRow("lone star") << u"*"_s << u"anything"_s << true;
    QTest::newRow("lone star empty") << u"*"_s << QString() << true;
    QTest::newRow("question mark") << u"D?NA*"_s << u"Dana"_s << true;
    QTest::newRow("anchored end") << u"*ET"_s << u"Kasap Et"_s << true;
    QTest::newRow("apostrophe literal") << u"Ali'nin*"_s << u"Ali'nin Kasabı"_s << true;
    QTest::newRow("prefix too long") << u"Danaa*"_s << u"Dana"_s << false;
}

void TestTurkishText::like()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QCOMPARE(TurkishText::LikePattern(pattern).matches(text), matches);
}

void TestTurkishText::sortsInTurkishOrder()
{
    const QStringList expected = {u"Cam"_s, u"Çiğ"_s, u"Dana"_s, u"Isı"_s, u"ışık"_s,
                                  u"İnek"_s, u"Sucuk"_s, u"Şiş"_s, u"Uzun"_s, u"Ürün"_s};
    QStringList shuffled = {expected[9], expected[3], expected[0], expected[7], expected[5],
                            expected[1], expected[8], expected[4], expected[2], expected[6]};
    std::sort(shuffled.begin(), shuffled.end(),
              [](const QString &a, const QString &b) { return TurkishText::compare(a, b) < 0; });
    QCOMPARE(shuffled, expected);
    QCOMPARE(TurkishText::upper(u"inek ışık"_s), u"İNEK IŞIK"_s);
}

void TestTurkishText::criteriaQuotesApostrophes()
{
    const QString text = Criteria::likePrefix(u"Unvan"_s, u"Ali'nin"_s);
    QCOMPARE(text, u"Unvan Like 'Ali''nin*'"_s);
    const auto criteria = Criteria::parse(text);
    QVERIFY(criteria);
    QCOMPARE(criteria->terms().size(), 1);
    QCOMPARE(criteria->terms()[0].value.toString(), u"Ali'nin*"_s);

    const auto dates = Criteria::parse(u"Tarih>=#12/01/2026# And Tarih<=#12/31/2026#"_s);
    QVERIFY(dates);
    QCOMPARE(dates->terms()[1].value.toString(), u"2026-12-31"_s);
}

void TestTurkishText::criteriaRejectsGarbage()
{
    QVERIFY(!Criteria::parse(u"Unvan Like 'Ali'nin*'"_s)); // the unquoted apostrophe
    QVERIFY(!Criteria::parse(u"Unvan"_s));
    QVERIFY(!Criteria::parse(u"Unvan Like"_s));
}

QTEST_GUILESS_MAIN(TestTurkishText)
#include "test_turkish_text.moc"
