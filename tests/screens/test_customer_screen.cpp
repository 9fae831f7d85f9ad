#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "support/TestStation.h"
#include "ui_support/Colors.h"
#include "ui_support/ListBox.h"

#include <QGroupBox>
#include <QPointingDevice>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Customer = u"Müşteri"_s;
const QString Wholesale = u"Toptan"_s;
} // namespace

class TestCustomerScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }

    void keyboardNarrowsTheList_data();
    void keyboardNarrowsTheList();
    void tapPicksTheAccountAndStartsTheOrder_data();
    void tapPicksTheAccountAndStartsTheOrder();
    void fingerHighlightsLikeThePointer();
    void purchaseShowsOnlyWholesalers();

private:
    ListBox *list1() const { return m_f->driver().get<ListBox>(u"List1"_s); }

    std::unique_ptr<ScreenFixture> m_f;
};

void TestCustomerScreen::init()
{
    m_f = std::make_unique<ScreenFixture>();
    addAccounts(m_f->folder(),
                {{u"Aydın Et"_s, Customer}, {u"Ali Usta"_s, Customer}, {u"Arı Kebap"_s, Customer},
                 {u"Bereket Market"_s, Customer}, {u"Çınar Otel"_s, Customer},
                 {u"Konya Et Toptan"_s, Wholesale}, {u"Trakya Besi"_s, Wholesale}});
    addProducts(m_f->folder(), {u"Dana Kuşbaşı"_s, u"Kuzu But"_s});
    m_f->open();
}

void TestCustomerScreen::keyboardNarrowsTheList_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");

    QTest::newRow("A") << QStringList{u"A"_s} << u"A"_s << u"Ali Usta"_s;
    QTest::newRow("A * K") << QStringList{u"A"_s, u"*"_s, u"K"_s} << u"A*K"_s << u"Arı Kebap"_s;
    QTest::newRow("A Y") << QStringList{u"A"_s, u"Y"_s} << u"AY"_s << u"Aydın Et"_s;
    QTest::newRow("refused letter") << QStringList{u"B"_s, u"Q"_s} << u"B"_s << u"Bereket Market"_s;
    QTest::newRow("blank, then a refused letter")
        << QStringList{u"Ç"_s, u"I"_s, u"N"_s, u"A"_s, u"R"_s, u" Boşluk"_s, u"X"_s}
        << u"ÇINAR "_s << u"Çınar Otel"_s;
    QTest::newRow("refused blank") << QStringList{u"Ç"_s, u"I"_s, u" Boşluk"_s} << u"ÇI"_s
                                   << u"Çınar Otel"_s;
    QTest::newRow("Geri Al") << QStringList{u"A"_s, u"Y"_s, u"Geri Al"_s} << u"A"_s << u"Ali Usta"_s;
    QTest::newRow("Sil on an empty text") << QStringList{u"Sil"_s} << QString() << u"Ali Usta"_s;
    QTest::newRow("Geri Al on an empty text")
        << QStringList{u"Geri Al"_s} << QString() << u"Ali Usta"_s;
    QTest::newRow("Sil after a search") << QStringList{u"B"_s, u"Sil"_s} << QString() << u"Ali Usta"_s;
}

void TestCustomerScreen::keyboardNarrowsTheList()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    m_f->driver().typeKeypad(u"E"_s);
    list1()->setListIndex(4); // somewhere else than the answer

    m_f->driver().typeCustomer(keys);
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), text);
    QCOMPARE(list1()->text(), selected);
    QCOMPARE(m_f->driver().get<QWidget>(u"Command1"_s)->isEnabled(), !text.isEmpty());
}

void TestCustomerScreen::tapPicksTheAccountAndStartsTheOrder_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("account");
    QTest::newRow("another entry") << 4 << u"Çınar Otel"_s;
    // "AR" has already highlighted it; the tap must still take the full title.
    QTest::newRow("the highlighted entry") << 1 << u"Arı Kebap"_s;
}

void TestCustomerScreen::tapPicksTheAccountAndStartsTheOrder()
{
    QFETCH(int, entry);
    QFETCH(QString, account);
    m_f->driver().typeKeypad(u"E"_s);
    m_f->driver().typeCustomer({u"A"_s, u"R"_s});
    m_f->driver().tapEntry(u"List1"_s, entry);
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), account);
    QVERIFY(m_f->driver().widget(u"Command1"_s)->isEnabled());

    m_f->driver().tap(u"Command1"_s);
    QVERIFY(m_f->window().frame1()->isVisible());
    QCOMPARE(m_f->driver().text(u"MüşteriLbl"_s), account);
    QVERIFY(m_f->driver().widget(u"MüşteriLbl"_s)->isVisible());
    QCOMPARE(m_f->driver().text(u"ToplamLbl"_s), u"0"_s);
    QCOMPARE(m_f->driver().text(u"ÜrünLbl"_s), QString());
    QCOMPARE(m_f->driver().get<ListBox>(u"List2"_s)->listIndex(), -1);
    QVERIFY(m_f->driver().widget(u"Command2(1)"_s)->isEnabled());
    QVERIFY(m_f->driver().widget(u"Option1(0)"_s)->isHidden());
    QVERIFY(m_f->driver().widget(u"Option1(1)"_s)->isHidden());
    QCOMPARE(m_f->window().state().productKeyIndex, 0.0);

    m_f->window().frame1()->hide();
    m_f->driver().tap(u"Label1(46)"_s); // Sil
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), QString());
    QVERIFY(!m_f->driver().widget(u"Command1"_s)->isEnabled());
}

void TestCustomerScreen::fingerHighlightsLikeThePointer()
{
    m_f->driver().typeKeypad(u"E"_s);
    StationState &state = m_f->window().state();

    m_f->driver().hover(u"Label1(49)"_s);
    QCOMPARE(m_f->driver().backColor(u"Label1(49)"_s), Colors::Yellow);
    QCOMPARE(m_f->driver().backColor(u"Command1"_s), Colors::Cyan);
    QCOMPARE(state.customerKeyIndex, 49.0);

    // A finger presses without hovering first.
    m_f->driver().tap(u"Label1(4)"_s);
    QCOMPARE(m_f->driver().backColor(u"Label1(4)"_s), Colors::Yellow);
    QCOMPARE(m_f->driver().backColor(u"Label1(49)"_s), Colors::Cyan);
    QCOMPARE(state.customerKeyIndex, 4.0);
    QVERIFY(!state.mouseOverCustomerList);

    m_f->driver().hover(u"List1"_s);
    QCOMPARE(m_f->driver().backColor(u"Label1(4)"_s), Colors::Cyan);
    QVERIFY(state.mouseOverCustomerList);

    m_f->driver().tap(u"Label1(22)"_s);
    m_f->driver().hover(u"Surface"_s);
    QCOMPARE(m_f->driver().backColor(u"Label1(22)"_s), Colors::Cyan);

    // A real touch: the press alone lights the key, the release types it.
    QPointingDevice *screen = QTest::createTouchDevice();
    QWidget *key = m_f->driver().widget(u"Label1(1)"_s);
    const QPoint at = key->mapTo(&m_f->window(), key->rect().center());
    QTest::touchEvent(&m_f->window(), screen).press(0, at, &m_f->window());
    QTRY_COMPARE(m_f->driver().backColor(u"Label1(1)"_s), Colors::Yellow);
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), QString());
    QTest::touchEvent(&m_f->window(), screen).release(0, at, &m_f->window());
    QTRY_COMPARE(m_f->driver().text(u"MusTxt"_s), u"B"_s);
    QCOMPARE(list1()->text(), u"Bereket Market"_s);
}

void TestCustomerScreen::purchaseShowsOnlyWholesalers()
{
    m_f->driver().tap(u"AlSat"_s);
    QCOMPARE(m_f->driver().text(u"AlSat"_s), u"ALIŞ"_s);
    QCOMPARE(m_f->driver().backColor(u"AlSat"_s), Colors::Red);
    QCOMPARE(m_f->window().state().alsatMode, 1);
    QCOMPARE(list1()->items(), (QStringList{u"Konya Et Toptan"_s, u"Trakya Besi"_s}));
    QCOMPARE(m_f->window().data().data5().recordSource().text,
             RecordSources::movementsOf(1).text);

    m_f->driver().typeKeypad(u"E"_s);
    m_f->driver().typeCustomer({u"T"_s});
    QCOMPARE(list1()->text(), u"Trakya Besi"_s);
    m_f->driver().typeCustomer({u"A"_s}); // "TA": no wholesaler
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), u"T"_s);

    m_f->window().girisFrm()->show();
    m_f->driver().tap(u"AlSat"_s);
    QCOMPARE(m_f->driver().text(u"AlSat"_s), u"SATIŞ"_s);
    QCOMPARE(m_f->driver().backColor(u"AlSat"_s), Colors::Green);
    QCOMPARE(m_f->driver().text(u"MusTxt"_s), QString());
    QCOMPARE(list1()->count(), 5);
    QCOMPARE(m_f->window().data().data5().recordSource().text,
             RecordSources::movementsOf(0).text);
}

QTEST_MAIN(TestCustomerScreen)
#include "test_customer_screen.moc"
