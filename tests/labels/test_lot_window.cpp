#include "app/Form1.h"
#include "data/DemoStation.h"
#include "data/ProductExtras.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "labels/PackageLabel.h"
#include "labels/PackagePanel.h"
#include "station/SettingsStore.h"
#include "support/ScreenDriver.h"
#include "support/TcpScale.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"
#include "ui_support/TapGuard.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Scale = TcpScale;

const QString Beef = u"Dana Kuşbaşı"_s;
const QString Lamb = u"Kuzu But"_s; // sold on a 250 g tray

} // namespace

class TestLotWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lotOnTheKeyboard_data();
    void lotOnTheKeyboard();
    void scannedLotIsRememberedPerProduct_data();
    void scannedLotIsRememberedPerProduct();
    void tareIsTakenOffEachPackage_data();
    void tareIsTakenOffEachPackage();

private:
    void startWeighing(const QString &product);
    void typeLotKeys(const QStringList &captions);
    // What a keyboard-wedge scanner types: the text, then Enter; the group
    // separator as Ctrl+].
    void scan(const QString &text);
    QString storedLot(const QString &product);

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<Scale> m_scale;
    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ScreenDriver> m_driver;
};

void TestLotWindow::init()
{
    m_station = std::make_unique<TestStation>();
    QVERIFY(DemoStation::create(m_station->stationDir()));
    {
        StationDatabase stok(QDir(m_station->stationDir()).filePath(u"Stok.db"_s), Schema::File::Stok);
        QVERIFY(ProductExtras(stok.database()).write({Lamb, {}, 0.25, {}, {}}));
    }
    m_scale = std::make_unique<Scale>();
    m_scale->becomeStationScale();
    SaveAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s);

    m_window = std::make_unique<Form1>(m_station->stationDir());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_driver = std::make_unique<ScreenDriver>(*m_window);
    QVERIFY(m_scale->waitForStation());
    m_driver->typeKeypad(u"E"_s);
    m_driver->tapEntry(u"List1"_s, 0);
    m_driver->tap(u"Command1"_s);
    QVERIFY(m_window->frame1()->isVisible());
}

void TestLotWindow::cleanup()
{
    m_driver.reset();
    m_window.reset();
    m_scale.reset();
    m_station.reset();
}

void TestLotWindow::startWeighing(const QString &product)
{
    if (m_window->frame2()->isVisible())
        m_driver->tap(u"Command4(3)"_s);
    auto *list2 = m_driver->get<ListBox>(u"List2"_s);
    const int row = list2->findExact(product);
    QVERIFY(row >= 0);
    list2->scrollTo(list2->model()->index(row, 0));
    m_driver->tapEntry(u"List2"_s, row);
    m_driver->tap(u"Command2(3)"_s);
    QVERIFY(m_window->frame2()->isVisible());
}

void TestLotWindow::typeLotKeys(const QStringList &captions)
{
    const auto keys = m_window->findChildren<QLabel *>(QRegularExpression(u"^PartiKey\\(\\d+\\)$"_s));
    for (const QString &caption : captions) {
        const auto key = std::find_if(keys.cbegin(), keys.cend(),
                                      [&](const QLabel *k) { return k->text() == caption; });
        QVERIFY2(key != keys.cend(), qPrintable(caption));
        m_driver->tap((*key)->objectName());
    }
}

void TestLotWindow::scan(const QString &text)
{
    // Keys go where the keyboard's go: to the button last tapped, if any.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get();
    for (const QChar c : text) {
        if (c == QChar(0x1d))
            QTest::keyClick(target, Qt::Key_BracketRight, Qt::ControlModifier);
        else
            QTest::keyClick(target, c.toLatin1());
    }
    QTest::keyClick(target, Qt::Key_Return);
}

QString TestLotWindow::storedLot(const QString &product)
{
    return m_window->data().productExtra(product).value_or(ProductExtra{}).lot;
}

void TestLotWindow::lotOnTheKeyboard_data()
{
    QTest::addColumn<QStringList>("keys"); // typed after "OLD1"
    QTest::addColumn<QString>("finish");   // the button tapped at the end
    QTest::addColumn<QString>("lot");      // the product's lot afterwards
    QTest::addColumn<QString>("notice");   // non-empty: refused, the keyboard stays

    const QStringList clear(4, u"Sil"_s);
    QTest::newRow("typed, one key taken back")
        << clear + QStringList{u"L"_s, u"2"_s, u"X"_s, u"Sil"_s, u"-"_s, u"7"_s} << u"PartiTamam"_s
        << u"L2-7"_s << QString();
    QTest::newRow("one character too many")
        << QStringList(17, u"A"_s) << u"PartiTamam"_s << u"OLD1"_s << u"en fazla 20 karakter"_s;
    QTest::newRow("cancelled") << QStringList{u"Q"_s} << u"PartiVazgec"_s << u"OLD1"_s << QString();
    QTest::newRow("back to the production date")
        << QStringList{u"Q"_s} << u"PartiUretim"_s << QString() << QString();
}

void TestLotWindow::lotOnTheKeyboard()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, finish);
    QFETCH(QString, lot);
    QFETCH(QString, notice);
    startWeighing(Beef);
    m_window->packagePanel().setLot(u"OLD1"_s, {});

    m_driver->tap(u"PartiButton"_s);
    QWidget *keyboard = m_driver->widget(u"PartiFrame"_s);
    QVERIFY(keyboard->isVisible());
    QCOMPARE(m_driver->text(u"PartiTxt"_s), u"OLD1"_s);
    typeLotKeys(keys);
    m_driver->tap(finish);

    QCOMPARE(keyboard->isVisible(), !notice.isEmpty());
    QVERIFY2(m_driver->text(u"PartiNotice"_s).contains(notice), qPrintable(m_driver->text(u"PartiNotice"_s)));
    QCOMPARE(storedLot(Beef), lot);
    QCOMPARE(m_window->packagePanel().currentLabel().lot, lot);
    if (notice.isEmpty())
        QVERIFY(m_driver->text(u"PartiButton"_s).endsWith(lot.isEmpty() ? u"Üretim Tarihi"_s : lot));
}

void TestLotWindow::scannedLotIsRememberedPerProduct_data()
{
    QTest::addColumn<QString>("scanned");
    QTest::newRow("brackets, symbology prefix") << u"]C1(01)08690123456789(10)LOT-42(251)TR34"_s;
    QTest::newRow("raw, separator as Ctrl+]") << u"0108690123456789" "10LOT-42\x1d" "251TR34"_s;
}

void TestLotWindow::scannedLotIsRememberedPerProduct()
{
    QFETCH(QString, scanned);
    startWeighing(Beef);
    scan(scanned);
    QVERIFY(m_driver->text(u"PartiButton"_s).endsWith(u"LOT-42"_s));
    QCOMPARE(m_window->packagePanel().productExtra().animal, u"TR34"_s);

    // A package of the lot goes onto the order; the next product has its
    // own lot, and the first one's comes back with it.
    m_scale->send("+0001.500 kg\r\n");
    QTRY_VERIFY(m_driver->get<QPushButton>(u"Command4(2)"_s)->isEnabled());
    m_driver->tap(u"Command4(2)"_s);
    m_driver->tap(u"Command4(1)"_s);
    QVERIFY(!m_window->frame2()->isVisible());
    startWeighing(Lamb);
    QVERIFY(m_driver->text(u"PartiButton"_s).endsWith(u"Üretim Tarihi"_s));
    startWeighing(Beef);
    QVERIFY(m_driver->text(u"PartiButton"_s).endsWith(u"LOT-42"_s));
    QCOMPARE(m_window->packagePanel().currentLabel().animal, u"TR34"_s);

    // A plain product barcode sets nothing and says so.
    scan(u"8690123456789"_s);
    QVERIFY(m_driver->text(u"TartiNotice"_s).contains(u"(10)"_s));
    QCOMPARE(storedLot(Beef), u"LOT-42"_s);
}

void TestLotWindow::tareIsTakenOffEachPackage_data()
{
    QTest::addColumn<QByteArray>("reading");
    QTest::addColumn<QString>("total"); // empty: refused
    QTest::newRow("10 kg on a 250 g tray") << QByteArray("+0010.000 kg") << u"9,750 Kg "_s;
    QTest::newRow("the tray alone") << QByteArray("+0000.250 kg") << QString();
    QTest::newRow("lighter than the tray") << QByteArray("+0000.200 kg") << QString();
}

void TestLotWindow::tareIsTakenOffEachPackage()
{
    QFETCH(QByteArray, reading);
    QFETCH(QString, total);
    startWeighing(Lamb);
    QVERIFY(m_driver->widget(u"DaraLbl"_s)->isVisible());
    m_scale->send(reading + "\r\n");
    QTRY_VERIFY(m_driver->get<QPushButton>(u"Command4(2)"_s)->isEnabled());
    m_driver->tap(u"Command4(2)"_s);
    if (total.isEmpty()) {
        QVERIFY(m_driver->text(u"TartiNotice"_s).contains(u"Dara (0,250 Kg)"_s));
        QCOMPARE(m_driver->text(u"Label4(2)"_s), u"0 Kg "_s);
        QVERIFY(!m_driver->get<QPushButton>(u"Command4(1)"_s)->isEnabled());
        return;
    }
    QCOMPARE(m_driver->text(u"Label4(2)"_s), total);
    m_driver->tap(u"Command4(1)"_s);
    Recordset *rows = m_window->data().data3().recordset();
    QCOMPARE(rows->recordCount(), 1);
    QCOMPARE(rows->value(u"Kilo"_s).toDouble(), 9.75);
    QCOMPARE(m_driver->text(u"ToplamLbl"_s), u"9,750"_s);
}

QTEST_MAIN(TestLotWindow)
#include "test_lot_window.moc"
