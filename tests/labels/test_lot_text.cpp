#include "gs1/Gs1ElementString.h"
#include "gs1/Gtin.h"
#include "labels/LotText.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Elements = QList<Gs1ElementString::Element>;

class TestLotText : public QObject
{
    Q_OBJECT
private slots:
    void lotRules_data();
    void lotRules();
    void elementStrings_data();
    void elementStrings();
    void gtins_data();
    void gtins();
};

void TestLotText::lotRules_data()
{
    QTest::addColumn<QString>("lot");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reasonHas"); // part of the Turkish reason

    QTest::newRow("empty: the production date") << QString() << true << QString();
    QTest::newRow("every punctuation allowed") << u"!\"%&'()*+,-./:;<=>?_"_s << true << QString();
    QTest::newRow("twenty characters") << u"L2026-12-09/A-000001"_s << true << QString();
    QTest::newRow("twenty-one characters") << u"L2026-12-09/A-0000012"_s << false << u"en fazla 20"_s;
    QTest::newRow("Turkish letter") << u"KUZUŞ1"_s << false << u"\"Ş\""_s;
    QTest::newRow("dotted capital I") << u"İ1"_s << false << u"\"İ\""_s;
    QTest::newRow("blank inside") << u"A 1"_s << false << u"U+0020"_s;
    QTest::newRow("group separator") << u"A\x1d"_s << false << u"U+001D"_s;
    QTest::newRow("hash is not in the set") << u"A#1"_s << false << u"\"#\""_s;
}

void TestLotText::lotRules()
{
    QFETCH(QString, lot);
    QFETCH(bool, accepted);
    QFETCH(QString, reasonHas);
    const QString reason = LotText::refusal(lot);
    QCOMPARE(reason.isEmpty(), accepted);
    QVERIFY2(reason.contains(reasonHas), qPrintable(reason));
}

void TestLotText::elementStrings_data()
{
    QTest::addColumn<QString>("scanned");
    QTest::addColumn<Elements>("elements");
    QTest::addColumn<bool>("ok");

    const Elements gtinLotAnimal = {{u"01"_s, u"08690123456789"_s}, {u"10"_s, u"LOT-42"_s},
                                    {u"251"_s, u"TR3400012345"_s}};
    QTest::newRow("brackets") << u"(01)08690123456789(10)LOT-42(251)TR3400012345"_s << gtinLotAnimal << true;
    QTest::newRow("raw with ASCII 29")
        << u"0108690123456789" "10LOT-42\x1d" "251TR3400012345"_s << gtinLotAnimal << true;
    QTest::newRow("raw with <GS> and symbology prefix")
        << u"]C10108690123456789" "10LOT-42<GS>251TR3400012345"_s << gtinLotAnimal << true;
    QTest::newRow("raw with literal \\x1d, DataMatrix prefix")
        << u"]d20108690123456789" "10LOT-42\\x1d251TR3400012345"_s << gtinLotAnimal << true;
    QTest::newRow("leading FNC1, separator after a fixed field")
        << u"\x1d" "0108690123456789\x1d" "10LOT-42\x1d" "251TR3400012345"_s << gtinLotAnimal << true;
    QTest::newRow("lot last, ends at the end")
        << u"01086901234567893103001250" "10L1"_s
        << Elements{{u"01"_s, u"08690123456789"_s}, {u"3103"_s, u"001250"_s}, {u"10"_s, u"L1"_s}} << true;
    QTest::newRow("(03) is as long as (01), no separator")
        << u"0308690123456789" "10L1"_s
        << Elements{{u"03"_s, u"08690123456789"_s}, {u"10"_s, u"L1"_s}} << true;
    QTest::newRow("three-digit 71x identifier")
        << u"0108690123456789" "710A1"_s
        << Elements{{u"01"_s, u"08690123456789"_s}, {u"710"_s, u"A1"_s}} << true;
    QTest::newRow("bracket inside a bracketed lot")
        << u"(10)A(B)C"_s << Elements{{u"10"_s, u"A(B)C"_s}} << true;

    QTest::newRow("plain EAN-13 is no element string") << u"8690123456789"_s << Elements{} << false;
    QTest::newRow("short GTIN") << u"(01)869012345678"_s << Elements{{u"01"_s, u"869012345678"_s}} << false;
    QTest::newRow("lot too long, no separator")
        << u"10ABCDEFGHIJKLMNOPQRSTU"_s << Elements{} << false;
    QTest::newRow("letter in a date") << u"(17)26A231"_s << Elements{{u"17"_s, u"26A231"_s}} << false;
    QTest::newRow("Turkish letter in the lot") << u"(10)ŞİŞ"_s << Elements{{u"10"_s, u"ŞİŞ"_s}} << false;
    QTest::newRow("empty lot") << u"(10)(251)X"_s << Elements{{u"10"_s, QString()}, {u"251"_s, u"X"_s}} << false;
    QTest::newRow("nothing") << QString() << Elements{} << false;
}

void TestLotText::elementStrings()
{
    QFETCH(QString, scanned);
    QFETCH(Elements, elements);
    QFETCH(bool, ok);
    const Gs1ElementString::Parsed parsed = Gs1ElementString::parse(scanned);
    QVERIFY2(parsed.ok() == ok, qPrintable(parsed.error));
    if (ok || !elements.isEmpty())
        QCOMPARE(parsed.elements, elements);
}

void TestLotText::gtins_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("gtin"); // empty: refused

    QTest::newRow("GTIN-14") << u"08690123456789"_s << u"08690123456789"_s;
    QTest::newRow("EAN-13 padded") << u"8690123456789"_s << u"08690123456789"_s;
    QTest::newRow("EAN-13 ending in 1") << u"4006381333931"_s << u"04006381333931"_s;
    QTest::newRow("wrong check digit") << u"8690123456784"_s << QString();
    QTest::newRow("twelve digits") << u"869012345678"_s << QString();
    QTest::newRow("letters") << u"869012345678X"_s << QString();
    QTest::newRow("Arabic-Indic digits") << u"٨٦٩٠١٢٣٤٥٦٧٨٣"_s << QString();
}

void TestLotText::gtins()
{
    QFETCH(QString, text);
    QFETCH(QString, gtin);
    QCOMPARE(Gtin::normalized(text).value_or(QString()), gtin);
}

QTEST_GUILESS_MAIN(TestLotText)
#include "test_lot_text.moc"
