#include "app/Form1.h"
#include "station/SettingsStore.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "support/TestStation.h"
#include "support/ScreenDriver.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/ScrollingContainer.h"
#include "ui_support/TwipsCanvas.h"
#include "printing/PrintNotice.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSqlQuery>
#include <QTableView>
#include <QMessageBox>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

void addOrderRow(Form1 &window, const QString &product, double kilo)
{
    Recordset *rows = window.data().data3().recordset();
    QVERIFY(rows);
    QVERIFY(rows->addNew());
    QVERIFY(rows->setValue(0, product));
    QVERIFY(rows->setValue(1, kilo));
    QVERIFY(rows->update());
    RefreshDataControl(window.data().data3());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsOnTheLoginScreen();
    void missingFilesLeaveTheListsEmpty_data();
    void missingFilesLeaveTheListsEmpty();
    void refusesToCloseWhileTheOrderHasRows();
    void restartGivesTheOpenOrderBack_data();
    void restartGivesTheOpenOrderBack();
    void columnLayoutIsSavedAndRestored();
    void damagedLayoutNeverStopsTheWindow_data();
    void damagedLayoutNeverStopsTheWindow();
    void wheelStepsTheGridUnderThePointer();
    void aboutNamesTheVersionAndTheFolder();
    void everyScreenShowsTheModeAndTheNotice_data();
    void everyScreenShowsTheModeAndTheNotice();
};

void TestMainWindow::startsOnTheLoginScreen()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), u"   Korvel  Et Tavran"_s);
    QVERIFY(window.girisFrm()->isVisible());
    QVERIFY(!window.frame1()->isVisible() && !window.frame2()->isVisible()
            && !window.frame3()->isVisible());
    QVERIFY(!window.isDosyaVisible());
    QCOMPARE(window.state().customerKeyIndex, 1.0);
    QVERIFY(window.state().passwordPromptShown);

    auto *list3 = ScreenDriver(window).get<ListBox>(u"List3"_s);
    QCOMPARE(list3->item(0), u"PERSONEL YOK"_s);
    QCOMPARE(list3->item(1), u"Ahmet Yılmaz"_s);
    QCOMPARE(list3->listIndex(), 0);
    QCOMPARE(ScreenDriver(window).get<QLabel>(u"Label7"_s)->text(), u"ŞİFRENİZİ GİRİNİZ"_s);

    // Accounts of the sale group only, in Turkish order; every product.
    auto *list1 = ScreenDriver(window).get<ListBox>(u"List1"_s);
    QVERIFY(list1->count() > 20);
    QVERIFY(!list1->items().contains(u"Konya Et Toptan"_s));
    const int ismail = list1->findExact(u"Işık Market"_s);
    QVERIFY(ismail >= 0);
    QCOMPARE(list1->item(ismail + 1), u"İnci Pide Salonu"_s);
    auto *list2 = ScreenDriver(window).get<ListBox>(u"List2"_s);
    QCOMPARE(list2->count(), 30);
    QCOMPARE(list2->item(0), u"Adana Kebap Harcı"_s);

    QCOMPARE(window.state().headerLines[6], u"TR 06-0123"_s);
    QCOMPARE(window.state().headerLines[7], u"10"_s);

    // The order grid keeps its design columns without a layout file.
    auto *grid = ScreenDriver(window).get<QTableView>(u"DBGrid1"_s);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), u"Ürün"_s);
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), u"Kilo"_s);
}

void TestMainWindow::missingFilesLeaveTheListsEmpty_data()
{
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<QString>("emptyList");
    QTest::newRow("accounts") << u"Cari.db"_s << u"List1"_s;
    QTest::newRow("products") << u"Stok.db"_s << u"List2"_s;
    QTest::newRow("order rows") << u"Tavran.db"_s << QString();
}

void TestMainWindow::missingFilesLeaveTheListsEmpty()
{
    QFETCH(QString, damaged);
    QFETCH(QString, emptyList);
    TestStation station;
    station.writeStationFile(damaged, QByteArray(2048, 'z'));
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (!emptyList.isEmpty())
        QCOMPARE(ScreenDriver(window).get<ListBox>(emptyList)->count(), 0);
    // The operator is told which file, on the window and in Turkish.
    auto *notice = ScreenDriver(window).get<QLabel>(u"PrintNotice"_s);
    QVERIFY(notice->isVisible());
    QVERIFY2(notice->text().contains(damaged + u" açılamadı"_s), qPrintable(notice->text()));
    QCOMPARE(notice->text().count(u"açılamadı"_s), 1);
    QCOMPARE(ScreenDriver(window).get<ListBox>(u"List3"_s)->items(), QStringList{u"PERSONEL YOK"_s});
    QVERIFY(window.state().headerLines[0].isEmpty());
    QVERIFY(window.girisFrm()->isVisible());
}

void TestMainWindow::refusesToCloseWhileTheOrderHasRows()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    {
        Form1 window(station.stationDir());
        window.show();
        addOrderRow(window, u"Dana Kuşbaşı"_s, 2.5);
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(!ReadRegValue(u"EtWidth"_s));
    }
    {
        // A restart finds the unfinished order.
        Form1 window(station.stationDir());
        window.show();
        Recordset *rows = window.data().data3().recordset();
        QCOMPARE(rows->recordCount(), 1);
        QCOMPARE(rows->value(u"Ürün"_s).toString(), u"Dana Kuşbaşı"_s);
        QCOMPARE(rows->value(u"Tamam"_s).toInt(), 1);
        QVERIFY(window.data().deleteAllRows(window.data().data3()));
        QVERIFY(window.close());
        QCOMPARE(regText(ReadRegValue(u"EtWidth"_s)), QString::number(window.width() * 15));
    }
}

void TestMainWindow::restartGivesTheOpenOrderBack_data()
{
    QTest::addColumn<bool>("purchase");
    QTest::newRow("sale") << false;
    QTest::newRow("purchase") << true;
}

void TestMainWindow::restartGivesTheOpenOrderBack()
{
    QFETCH(bool, purchase);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    QString account;
    {
        Form1 window(station.stationDir());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScreenDriver driver(window);
        if (purchase)
            driver.tap(u"AlSat"_s);
        driver.typeKeypad(u"E"_s);
        driver.tapEntry(u"List1"_s, 2);
        account = driver.text(u"MusTxt"_s);
        driver.tap(u"Command1"_s);
        addOrderRow(window, u"Dana Kuşbaşı"_s, 5);
        addOrderRow(window, u"Kuzu But"_s, 1.5);
        auto *paketYaz = driver.get<QCheckBox>(u"PaketYaz"_s);
        paketYaz->setChecked(false); // by mistake
        QCOMPARE(Control::backColor(paketYaz), Colors::Red);
    } // the power goes

    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ScreenDriver driver(window);
    // Labels are printed again: a switch left off would send products out unlabelled.
    QVERIFY(driver.get<QCheckBox>(u"PaketYaz"_s)->isChecked());
    QCOMPARE(driver.backColor(u"PaketYaz"_s), Colors::Green);
    QCOMPARE(window.state().alsatMode, purchase ? 1 : 0);
    driver.typeKeypad(u"E"_s);
    QCOMPARE(driver.text(u"MusTxt"_s), account);
    QCOMPARE(driver.get<ListBox>(u"List1"_s)->text(), account);
    driver.tap(u"Command1"_s);
    QCOMPARE(driver.text(u"MüşteriLbl"_s), account);
    QCOMPARE(driver.text(u"AlSatLbl"_s).trimmed(), purchase ? u"ALIŞ"_s : u"SATIŞ"_s);
    QCOMPARE(driver.text(u"ToplamLbl"_s), u"6,500"_s);
    QVERIFY(driver.widget(u"PrintNotice"_s)->isVisible());
    QVERIFY(driver.text(u"PrintNotice"_s).contains(u"Yarım kalan sipariş geri yüklendi"_s));
    // Good news is not painted in the colour of a failure.
    const QColor back = driver.widget(u"PrintNotice"_s)->palette().color(QPalette::Window);
    QVERIFY2(back.green() > back.red(), qPrintable(back.name()));

    QVERIFY(window.data().data3().recordset()->moveFirst());
    driver.tap(u"Command2(1)"_s); // "Ürün Çıkar" takes the 5 kg row
    QCOMPARE(driver.text(u"ToplamLbl"_s), u"1,5"_s);
    QVERIFY(window.data().deleteAllRows(window.data().data3()));
}

void TestMainWindow::columnLayoutIsSavedAndRestored()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    const QString layoutPath = station.stationDir() + u"/DBGrid1.Dat"_s;
    int widenedTo = 0;
    {
        Form1 window(station.stationDir());
        window.show();
        window.frame1()->show();
        window.frame1()->raise();
        auto *grid = ScreenDriver(window).get<QTableView>(u"DBGrid1"_s);
        QHeaderView *header = grid->horizontalHeader();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Drag the right edge of the first column 40 pixels to the right.
        const int edge = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
        const int y = header->height() / 2;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(edge + 40, y), header->viewport()->mapToGlobal(QPointF(edge + 40, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &move);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 40, y));
        widenedTo = grid->columnWidth(0);
        QVERIFY(QFile::exists(layoutPath));
        QVERIFY(grid->model()->headerData(0, Qt::Horizontal).toString().startsWith(u"  "_s));
        QVERIFY(grid->model()->headerData(1, Qt::Horizontal).toString().endsWith(u"  "_s));
    }
    QFile file(layoutPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith(",#TRUE#\r\n"));
    {
        Form1 window(station.stationDir());
        window.show();
        auto *grid = ScreenDriver(window).get<QTableView>(u"DBGrid1"_s);
        QVERIFY(std::abs(grid->columnWidth(0) - widenedTo) <= 1);
        const QString heading = grid->model()->headerData(0, Qt::Horizontal).toString();
        QVERIFY(heading.startsWith(u"  "_s) && heading.trimmed() == u"Ürün"_s);
    }
}

void TestMainWindow::damagedLayoutNeverStopsTheWindow_data()
{
    QTest::addColumn<QByteArray>("width");
    QTest::newRow("beyond any screen") << QByteArray("99999999999");
    QTest::newRow("negative") << QByteArray("-2000");
    QTest::newRow("not a number") << QByteArray("nan");
    QTest::newRow("infinite") << QByteArray("inf");
}

void TestMainWindow::damagedLayoutNeverStopsTheWindow()
{
    QFETCH(QByteArray, width);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    station.writeStationFile(u"DBGrid1.Dat"_s, width + ",#TRUE#\r\n1500,#FALSE#\r\n");
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *grid = ScreenDriver(window).get<QTableView>(u"DBGrid1"_s);
    // The bad width is ignored; the rest of the file still counts.
    QVERIFY(grid->columnWidth(0) > 0 && grid->columnWidth(0) < window.width());
    QVERIFY(grid->isColumnHidden(1));
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString().trimmed(), u"Ürün"_s);
}

namespace {

void turnWheel(QWidget *over, int delta)
{
    const QPointF local = QRectF(over->rect()).center();
    QWheelEvent wheel(local, over->mapToGlobal(local), {}, QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
}

} // namespace

void TestMainWindow::wheelStepsTheGridUnderThePointer()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString &product : {u"A"_s, u"B"_s, u"C"_s})
        addOrderRow(window, product, 1.0);
    window.girisFrm()->hide();
    window.frame1()->show();
    window.frame1()->raise();
    auto *grid = ScreenDriver(window).get<QTableView>(u"DBGrid1"_s);
    grid->setFocus();
    Recordset *rows = window.data().data3().recordset();
    QCOMPARE(rows->absolutePosition(), 0);

    turnWheel(grid->viewport(), -120); // towards the user: down
    QCOMPARE(rows->absolutePosition(), 1);
    turnWheel(grid->viewport(), -30); // a fine-grained wheel: still one row
    QCOMPARE(rows->absolutePosition(), 2);
    turnWheel(grid->viewport(), 120);
    QCOMPARE(rows->absolutePosition(), 1);

    turnWheel(ScreenDriver(window).widget(u"List2"_s), -120); // not over a grid
    QCOMPARE(rows->absolutePosition(), 1);
    window.frame1()->hide();
    turnWheel(grid->viewport(), -120); // a hidden grid takes nothing
    QCOMPARE(rows->absolutePosition(), 1);
    QVERIFY(window.data().deleteAllRows(window.data().data3()));
}

void TestMainWindow::aboutNamesTheVersionAndTheFolder()
{
    TestStation station;
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *about = window.dosyaMenu()->findChild<QAction *>(u"Hakkinda"_s);
    QVERIFY(about);
    QCOMPARE(about->text(), u"Hakkında"_s);
    about->trigger();
    auto *box = window.findChild<QMessageBox *>(u"HakkindaKutusu"_s);
    QVERIFY(box && box->isVisible());
    QVERIFY(box->text().contains(u"Tavran "_s + QStringLiteral(TAVRAN_VERSION)));
    QVERIFY(box->text().contains(QDir::toNativeSeparators(station.stationDir())));
}

void TestMainWindow::everyScreenShowsTheModeAndTheNotice_data()
{
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<bool>("purchase");
    QTest::newRow("customer") << QStringList() << false;
    QTest::newRow("order") << QStringList{u"List1"_s, u"Command1"_s} << true;
    QTest::newRow("weighing") << QStringList{u"List1"_s, u"Command1"_s, u"List2"_s, u"Command2(3)"_s} << false;
    QTest::newRow("slip preview") << QStringList{u"List1"_s, u"Command1"_s, u"Command2(2)"_s} << true;
    QTest::newRow("report") << QStringList{u"Option1(0)"_s} << false;
}

// Whatever screen is in front, the operator sees sale or purchase, and a
// failure told before the screen came up is not hidden behind it.
void TestMainWindow::everyScreenShowsTheModeAndTheNotice()
{
    QFETCH(QStringList, taps);
    QFETCH(bool, purchase);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ScreenDriver driver(window);
    QVERIFY(!driver.widget(u"AlSatLbl"_s)->isVisible());
    if (purchase)
        driver.tap(u"AlSat"_s);
    driver.typeKeypad(u"E"_s);
    window.printNotice()->tell(u"Etiket"_s, u"Etiket yazdırılamadı: yazıcı kapalı"_s);
    for (const QString &name : taps) {
        if (name.startsWith(u"List"_s))
            driver.tapEntry(name, 0);
        else
            driver.tap(name);
    }

    QVERIFY(driver.widget(u"AlSatLbl"_s)->isVisible());
    QCOMPARE(driver.text(u"AlSatLbl"_s).trimmed(), purchase ? u"ALIŞ"_s : u"SATIŞ"_s);
    PrintNotice *notice = window.printNotice();
    QVERIFY(notice->isVisible());
    QWidget *inFront = window.surface()->childAt(notice->geometry().center());
    QVERIFY2(inFront == notice, qPrintable(inFront ? inFront->objectName() : u"nothing"_s));
    if (window.scrllngFrm1()->isVisible())
        QVERIFY(!window.scrllngFrm1()->geometry().intersects(notice->geometry()));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
