#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "screens/KeyboardLayouts.h"
#include "screens/KeyboardSearch.h"
#include "support/TestStation.h"

#include <QSet>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

class TestKeyboardSearch : public QObject
{
    Q_OBJECT
private slots:
    void layoutsHaveTheirKeys_data();
    void layoutsHaveTheirKeys();
    void keysDoNotOverlap();
    void searchComparesTheTurkishWay_data();
    void searchComparesTheTurkishWay();
    void productKeysEditTheText_data();
    void productKeysEditTheText();
};

void TestKeyboardSearch::layoutsHaveTheirKeys_data()
{
    QTest::addColumn<bool>("customer");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("Q opens the customer keyboard") << true << 30 << u"Q"_s << QRect(90, 6810, 960, 780);
    QTest::newRow("A") << true << 49 << u"A"_s << QRect(90, 7650, 960, 780);
    QTest::newRow("Ü ends the first row") << true << 25 << u"Ü"_s << QRect(10980, 6810, 960, 780);
    QTest::newRow("Geri Al is wide") << true << 33 << u"Geri Al"_s << QRect(9990, 8490, 1950, 780);
    QTest::newRow("space bar") << true << 34 << u" Boşluk"_s << QRect(90, 9330, 11835, 780);
    QTest::newRow("9 in the digit block") << true << 37 << u"9"_s << QRect(14220, 6810, 960, 780);
    QTest::newRow("Sil") << true << 46 << u"Sil"_s << QRect(14220, 9330, 960, 780);
    QTest::newRow("Q opens the product keyboard") << false << 0 << u"Q"_s << QRect(120, 2280, 675, 645);
    QTest::newRow("R is key 9") << false << 9 << u"R"_s << QRect(2280, 2280, 675, 645);
    QTest::newRow("<") << false << 12 << u"<"_s << QRect(8760, 2280, 675, 645);
    QTest::newRow("SİL is wide") << false << 24 << u"SİL"_s << QRect(8040, 2970, 1395, 645);
    QTest::newRow("comma is key 25") << false << 25 << u","_s << QRect(8040, 3660, 675, 645);
    QTest::newRow("* completes") << false << 37 << u"*"_s << QRect(8760, 3660, 675, 645);
}

void TestKeyboardSearch::layoutsHaveTheirKeys()
{
    QFETCH(bool, customer);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    const QList<KeySpec> &layout =
        customer ? KeyboardLayouts::customerKeyboard() : KeyboardLayouts::productKeyboard();
    const auto key = std::find_if(layout.begin(), layout.end(),
                                  [index](const KeySpec &k) { return k.index == index; });
    QVERIFY(key != layout.end());
    QCOMPARE(key->caption, caption);
    QCOMPARE(QRect(key->left, key->top, key->width, key->height), twips);
}

void TestKeyboardSearch::keysDoNotOverlap()
{
    QSet<int> customerIndices;
    for (const KeySpec &key : KeyboardLayouts::customerKeyboard())
        customerIndices.insert(key.index);
    // Indices 1 to 49 without 47: 48 keys.
    QCOMPARE(KeyboardLayouts::customerKeyboard().size(), 48);
    QCOMPARE(customerIndices.size(), 48);
    for (int index = 1; index <= 49; ++index)
        QCOMPARE(customerIndices.contains(index), index != 47);

    QSet<int> productIndices;
    for (const KeySpec &key : KeyboardLayouts::productKeyboard())
        productIndices.insert(key.index);
    QCOMPARE(productIndices.size(), 38);
    QCOMPARE(*std::max_element(productIndices.begin(), productIndices.end()), 37);

    for (const auto *layout : {&KeyboardLayouts::customerKeyboard(), &KeyboardLayouts::productKeyboard()}) {
        for (qsizetype a = 0; a < layout->size(); ++a) {
            const KeySpec &k = layout->at(a);
            const QRect ra(k.left, k.top, k.width, k.height);
            for (qsizetype b = a + 1; b < layout->size(); ++b) {
                const KeySpec &o = layout->at(b);
                QVERIFY2(!ra.intersects(QRect(o.left, o.top, o.width, o.height)),
                         qPrintable(k.caption + u" overlaps "_s + o.caption));
            }
        }
    }
}

void TestKeyboardSearch::searchComparesTheTurkishWay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found"); // empty: nothing found

    QTest::newRow("I finds ı before IŞIK") << u"I"_s << u"ıspanak Hali"_s;
    QTest::newRow("IŞ finds IŞIK") << u"IŞ"_s << u"IŞIK Market"_s;
    QTest::newRow("I never finds İnek") << u"In"_s << QString();
    QTest::newRow("İ finds inek") << u"İ"_s << u"inek Çiftliği"_s;
    QTest::newRow("lower case finds upper case") << u"dana"_s << u"DANA KUŞBAŞI"_s;
    QTest::newRow("star skips a run") << u"D*Ş"_s << u"DANA KUŞBAŞI"_s;
    QTest::newRow("double star") << u"D**B"_s << u"DANA KUŞBAŞI"_s;
    QTest::newRow("apostrophe") << u"ALİ'"_s << u"Ali'nin Kasabı"_s;
    QTest::newRow("no match") << u"Q"_s << QString();
}

void TestKeyboardSearch::searchComparesTheTurkishWay()
{
    QFETCH(QString, text);
    QFETCH(QString, found);
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    QSqlQuery insert(data.cari()->database());
    QVERIFY(insert.prepare(u"INSERT INTO Cari(Kod, Unvan, Gurup) VALUES ('1', ?, 'Müşteri')"_s));
    for (const QString &title : {u"inek Çiftliği"_s, u"IŞIK Market"_s, u"ıspanak Hali"_s,
                                 u"DANA KUŞBAŞI"_s, u"Ali'nin Kasabı"_s}) {
        insert.addBindValue(title);
        QVERIFY(insert.exec());
    }
    QVERIFY(RefreshDataControl(data.data1()));
    Recordset &accounts = *data.data1().recordset();
    accounts.moveLast();
    const int before = accounts.absolutePosition();

    const int position = KeyboardSearch::findFirstStartingWith(accounts, u"Unvan"_s, text);
    if (found.isEmpty()) {
        QCOMPARE(position, -1);
        QCOMPARE(accounts.absolutePosition(), before);
    } else {
        QCOMPARE(accounts.valueAt(position, 1).toString(), found);
        QCOMPARE(accounts.absolutePosition(), position);
    }
}

void TestKeyboardSearch::productKeysEditTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("foundName");
    QTest::addColumn<QString>("result");

    QTest::newRow("* takes the first word") << u"DA"_s << 37 << u"Dana Kuşbaşı"_s << u"Dana "_s;
    QTest::newRow("* on one word") << u"KÖ"_s << 37 << u"Köfte"_s << u"KÖ"_s;
    QTest::newRow("* on nothing typed") << QString() << 37 << u"Dana Kuşbaşı"_s << QString();
    QTest::newRow("< drops one") << u"DAN"_s << 12 << QString() << u"DA"_s;
    QTest::newRow("< on empty") << QString() << 12 << QString() << QString();
    QTest::newRow("SİL") << u"DAN"_s << 24 << QString() << QString();
    QTest::newRow("blank key") << u"DANA"_s << 35 << QString() << u"DANA "_s;
}

void TestKeyboardSearch::productKeysEditTheText()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(QString, foundName);
    QFETCH(QString, result);
    const auto &layout = KeyboardLayouts::productKeyboard();
    const auto spec = std::find_if(layout.begin(), layout.end(),
                                   [key](const KeySpec &k) { return k.index == key; });
    QVERIFY(spec != layout.end());
    QCOMPARE(KeyboardSearch::afterProductKey(text, key, spec->caption, foundName), result);
}

QTEST_GUILESS_MAIN(TestKeyboardSearch)
#include "test_keyboard_search.moc"
