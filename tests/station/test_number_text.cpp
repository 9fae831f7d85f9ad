#include "station/NumberText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestNumberText : public QObject
{
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void parses_data();
    void parses();
    void plainHasNoFloatNoise();
};

void TestNumberText::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("grouping");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half") << 12.5 << false << u"12,500"_s;
    QTest::newRow("below one") << 0.1 << false << u"0,100"_s;
    QTest::newRow("negative") << -1.234 << false << u"-1,234"_s;
    QTest::newRow("rounds") << 12.3456 << false << u"12,346"_s;
    QTest::newRow("no negative zero") << -0.0001 << false << u"0,000"_s;
    QTest::newRow("grouped") << 1234.5 << true << u"1.234,500"_s;
    QTest::newRow("grouped million") << 1234567.0 << true << u"1.234.567,000"_s;
    QTest::newRow("grouped small") << 999.0 << true << u"999,000"_s;
}

void TestNumberText::formats()
{
    QFETCH(double, value);
    QFETCH(bool, grouping);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::fixed(value, 3, grouping), expected);
}

void TestNumberText::parses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << u"12,345"_s << true << 12.345;
    QTest::newRow("grouped") << u"1.234,5"_s << true << 1234.5;
    QTest::newRow("blanks and sign") << u" +0012,5 "_s << true << 12.5;
    QTest::newRow("negative") << u"-0,5"_s << true << -0.5;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blank") << u" "_s << false << 0.0;
    QTest::newRow("letters") << u"12kg"_s << false << 0.0;
    QTest::newRow("two commas") << u"1,2,3"_s << false << 0.0;
}

void TestNumberText::parses()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto parsed = NumberText::parse(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void TestNumberText::plainHasNoFloatNoise()
{
    QCOMPARE(NumberText::plain(1234.5 - 12.3), u"1222,2"_s);
    QCOMPARE(NumberText::plain(10.0 - 2.5), u"7,5"_s);
    QCOMPARE(NumberText::plain(0.0), u"0"_s);
    QCOMPARE(NumberText::parseWeightCaption(u"12,345 Kg "_s).value_or(-1), 12.345);
    QVERIFY(!NumberText::parseWeightCaption(u" Kg "_s).has_value());
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
