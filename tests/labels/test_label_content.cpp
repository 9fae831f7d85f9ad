#include "labels/LabelContent.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLabelContent : public QObject
{
    Q_OBJECT
private slots:
    void barcodeCodes_data();
    void barcodeCodes();
    void useByDates_data();
    void useByDates();
};

void TestLabelContent::barcodeCodes_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("code"); // empty: refused
    QTest::newRow("one and a half") << u"1,5 Kg "_s << u"200000101500"_s;
    QTest::newRow("half") << u"0,5 Kg "_s << u"200000100500"_s;
    QTest::newRow("twelve") << u"12,345 Kg "_s << u"200000112345"_s;
    QTest::newRow("zero") << u"0 Kg "_s << u"200000100000"_s;
    QTest::newRow("largest") << u"99,999 Kg "_s << u"200000199999"_s;
    QTest::newRow("rounds to grams") << u"1,2346 Kg "_s << u"200000101235"_s;
    QTest::newRow("a hundred does not fit") << u"100,000 Kg "_s << QString();
    QTest::newRow("negative refused") << u"-0,500 Kg "_s << QString();
}

void TestLabelContent::barcodeCodes()
{
    QFETCH(QString, weight);
    QFETCH(QString, code);
    const auto built = LabelContent::barcodeCode(u"2000001"_s, weight);
    QCOMPARE(built.value_or(QString()), code);
}

void TestLabelContent::useByDates_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("yearRule");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("text"); // empty: refused
    QTest::newRow("ten days over new year") << QDate(2026, 12, 25) << false << u"10"_s << u": 04.01.2027"_s;
    QTest::newRow("year rule on new year's eve") << QDate(2026, 12, 31) << true << u"10"_s << u": 31.12.2027"_s;
    QTest::newRow("year rule ignores the days") << QDate(2026, 3, 1) << true << u"abc"_s << u": 01.03.2027"_s;
    QTest::newRow("leap day keeps its day") << QDate(2028, 2, 29) << true << u""_s << u": 29.02.2029"_s;
    QTest::newRow("days not a number") << QDate(2026, 12, 25) << false << u"on gün"_s << QString();
    QTest::newRow("no days line") << QDate(2026, 12, 25) << false << QString() << QString();
    QTest::newRow("blanks around the days") << QDate(2026, 12, 25) << false << u" 7 "_s << u": 01.01.2027"_s;
    QTest::newRow("one day") << QDate(2026, 2, 28) << false << u"1"_s << u": 01.03.2026"_s;
    QTest::newRow("ten years") << QDate(2026, 1, 1) << false << u"3650"_s << u": 30.12.2035"_s;
    QTest::newRow("over ten years") << QDate(2026, 1, 1) << false << u"3651"_s << QString();
    QTest::newRow("negative days") << QDate(2026, 12, 25) << false << u"-5"_s << QString();
    QTest::newRow("no days") << QDate(2026, 12, 25) << false << u"0"_s << QString();
    QTest::newRow("decimal point") << QDate(2026, 12, 25) << false << u"3.5"_s << QString();
    QTest::newRow("decimal comma") << QDate(2026, 12, 25) << false << u"3,5"_s << QString();
}

void TestLabelContent::useByDates()
{
    QFETCH(QDate, today);
    QFETCH(bool, yearRule);
    QFETCH(QString, days);
    QFETCH(QString, text);
    QCOMPARE(LabelContent::useByDateText(today, yearRule, days).value_or(QString()), text);
    QCOMPARE(LabelContent::productionDateText(QDate(2026, 12, 7)), u": 07.12.2026"_s);
}

QTEST_GUILESS_MAIN(TestLabelContent)
#include "test_label_content.moc"
