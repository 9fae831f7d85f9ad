#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "support/TestStation.h"
#include "ui_support/Colors.h"
#include "ui_support/ListBox.h"

#include "ui_support/ScrollingContainer.h"
#include "weighing/OrderPanel.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

class TestProductScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }

    void keyboardFindsProducts_data();
    void keyboardFindsProducts();
    void searchBringsFollowingNamesIntoView();
    void tapTakesTheNameWithoutSearching_data();
    void tapTakesTheNameWithoutSearching();
    void arrowsMoveListOrOrderRows();
    void weighingNeedsAProduct_data();
    void weighingNeedsAProduct();

private:
    ListBox *list2() const { return m_f->driver().get<ListBox>(u"List2"_s); }

    std::unique_ptr<ScreenFixture> m_f;
};

void TestProductScreen::init()
{
    m_f = std::make_unique<ScreenFixture>();
    QVERIFY(DemoStation::create(m_f->folder()));
    m_f->open();
    m_f->driver().typeKeypad(u"E"_s); // "PERSONEL YOK"
    m_f->driver().tapEntry(u"List1"_s, 0);
    m_f->driver().tap(u"Command1"_s);
    QVERIFY(m_f->window().frame1()->isVisible());
}

void TestProductScreen::keyboardFindsProducts_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");

    QTest::newRow("D A") << QStringList{u"D"_s, u"A"_s} << u"DA"_s << u"Dana Antrikot"_s;
    QTest::newRow("* completes the first word")
        << QStringList{u"D"_s, u"A"_s, u"*"_s} << u"Dana "_s << u"Dana Antrikot"_s;
    QTest::newRow("then a letter continues")
        << QStringList{u"D"_s, u"A"_s, u"*"_s, u"K"_s, u"U"_s} << u"Dana KU"_s << u"Dana Kuşbaşı"_s;
    QTest::newRow("* on one word") << QStringList{u"K"_s, u"Ö"_s, u"*"_s} << u"KÖ"_s << u"Köfte"_s;
    QTest::newRow("<") << QStringList{u"K"_s, u"U"_s, u"<"_s} << u"K"_s << u"Kangal Sucuk"_s;
    QTest::newRow("SİL picks nothing") << QStringList{u"D"_s, u"A"_s, u"SİL"_s} << QString() << QString();
    QTest::newRow("a letter matching nothing is typed")
        << QStringList{u"D"_s, u"A"_s, u"N"_s, u"A"_s, u"Q"_s} << u"DANAQ"_s << QString();
    QTest::newRow("* after no match keeps the text")
        << QStringList{u"D"_s, u"A"_s, u"Q"_s, u"*"_s} << u"DAQ"_s << QString();
    QTest::newRow("< back to a match") << QStringList{u"D"_s, u"A"_s, u"Q"_s, u"<"_s} << u"DA"_s
                                       << u"Dana Antrikot"_s;
    QTest::newRow("I is dotless") << QStringList{u"I"_s} << u"I"_s << u"Işkembe"_s;
    QTest::newRow("İ is dotted") << QStringList{u"İ"_s} << u"İ"_s << u"İnegöl Köfte"_s;
}

void TestProductScreen::keyboardFindsProducts()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    m_f->driver().typeProduct(keys);
    QCOMPARE(m_f->driver().text(u"ÜrünLbl"_s), text);
    QCOMPARE(list2()->text(), selected);
    QCOMPARE(list2()->listIndex() < 0, selected.isEmpty());
    QCOMPARE(m_f->driver().widget(u"EşleşmeYokLbl"_s)->isVisible(), !text.isEmpty() && selected.isEmpty());
    if (!selected.isEmpty())
        QCOMPARE(m_f->driver().text(u"Label2(1)"_s), selected);
}

void TestProductScreen::searchBringsFollowingNamesIntoView()
{
    m_f->driver().typeProduct({u"T"_s});
    QCOMPARE(list2()->text(), u"Tavuk But"_s);
    const QRect last = list2()->visualRect(list2()->model()->index(list2()->count() - 1, 0));
    QVERIFY(list2()->viewport()->rect().contains(last));
}

void TestProductScreen::tapTakesTheNameWithoutSearching_data()
{
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("another entry") << false;
    QTest::newRow("the highlighted entry") << true;
}

void TestProductScreen::tapTakesTheNameWithoutSearching()
{
    QFETCH(bool, highlighted);
    m_f->driver().typeProduct({u"K"_s, u"U"_s});
    // A slip preview is waiting for "Yazdır".
    m_f->window().scrllngFrm1()->show();
    m_f->window().orderPanel().command2(2)->setText(u"Yazdır"_s);

    const int entry = highlighted ? list2()->listIndex() : 3;
    QVERIFY(entry >= 0 && (entry == 3) != highlighted);
    m_f->driver().tapEntry(u"List2"_s, entry);
    const QString tapped = list2()->item(entry);
    QCOMPARE(list2()->text(), tapped);
    QCOMPARE(m_f->driver().text(u"ÜrünLbl"_s), tapped);
    QCOMPARE(m_f->driver().text(u"Label2(1)"_s), tapped);
    QVERIFY(m_f->window().scrllngFrm1()->isHidden());
    QCOMPARE(m_f->driver().text(u"Command2(2)"_s), u"Fiş Yaz"_s);
    // The found product stays the one "*" completes.
    QCOMPARE(m_f->window().data().data4().recordset()->value(u"Ürün"_s).toString(), u"Kuzu But"_s);
}

void TestProductScreen::arrowsMoveListOrOrderRows()
{
    Recordset *rows = m_f->window().data().data3().recordset();
    QVERIFY(rows);
    for (const QString &name : {u"Dana Döş"_s, u"Kuzu But"_s, u"Sucuk"_s}) {
        QVERIFY(rows->addNew());
        QVERIFY(rows->setValue(u"Ürün"_s, name));
        QVERIFY(rows->update());
    }
    QVERIFY(RefreshDataControl(m_f->window().data().data3()));
    rows = m_f->window().data().data3().recordset();

    auto *grid = m_f->driver().get<QTableView>(u"DBGrid1"_s);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 0)).center());
    QTRY_COMPARE(m_f->driver().backColor(u"Command3(0)"_s), Colors::Cyan);
    QCOMPARE(m_f->driver().backColor(u"Command3(1)"_s), Colors::Cyan);
    const int listBefore = list2()->listIndex();

    for (int expected : {1, 2, 2}) {
        m_f->driver().tap(u"Command3(1)"_s);
        QCOMPARE(rows->absolutePosition(), expected);
    }
    for (int expected : {1, 0, 0}) {
        m_f->driver().tap(u"Command3(0)"_s);
        QCOMPARE(rows->absolutePosition(), expected);
    }
    QCOMPARE(list2()->listIndex(), listBefore);

    m_f->driver().tapEntry(u"List2"_s, 5);
    QTRY_COMPARE(m_f->driver().backColor(u"Command3(1)"_s), Colors::Yellow);
    m_f->driver().tap(u"Command3(1)"_s);
    QCOMPARE(list2()->listIndex(), 6);
    m_f->driver().tap(u"Command3(0)"_s);
    m_f->driver().tap(u"Command3(0)"_s);
    QCOMPARE(list2()->listIndex(), 4);
    QCOMPARE(rows->absolutePosition(), 0);
}

void TestProductScreen::weighingNeedsAProduct_data()
{
    QTest::addColumn<bool>("emptyStock");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("nothing picked yet") << false << QStringList();
    QTest::newRow("a letter matching nothing") << false << QStringList{u"D"_s, u"A"_s, u"Q"_s};
    QTest::newRow("no products at all") << true << QStringList();
}

void TestProductScreen::weighingNeedsAProduct()
{
    QFETCH(bool, emptyStock);
    QFETCH(QStringList, keys);
    if (emptyStock) {
        m_f.reset();
        m_f = std::make_unique<ScreenFixture>();
        addAccounts(m_f->folder(), {{u"Ali Usta"_s, u"Müşteri"_s}});
        m_f->open();
        m_f->driver().typeKeypad(u"E"_s);
        m_f->driver().tapEntry(u"List1"_s, 0);
        m_f->driver().tap(u"Command1"_s);
        QCOMPARE(list2()->count(), 0);
    }
    m_f->driver().typeProduct(keys);
    m_f->driver().tap(u"Command2(3)"_s);
    QVERIFY(!m_f->window().frame2()->isVisible());
    QVERIFY(m_f->driver().widget(u"PrintNotice"_s)->isVisible());
    if (emptyStock)
        return;

    m_f->driver().tapEntry(u"List2"_s, 0);
    m_f->driver().tap(u"Command2(3)"_s);
    QVERIFY(m_f->window().frame2()->isVisible());
    QCOMPARE(m_f->driver().text(u"Label2(1)"_s), list2()->item(0));
    QVERIFY(!m_f->driver().widget(u"PrintNotice"_s)->isVisible());
}

QTEST_MAIN(TestProductScreen)
#include "test_product_screen.moc"
