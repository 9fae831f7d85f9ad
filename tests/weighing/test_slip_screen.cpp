#include "app/Form1.h"
#include "station/SettingsStore.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "labels/ChoosePrinter.h"
#include "printing/CurrentPrinter.h"
#include "printing/PreviewPicture.h"
#include "printing/PrintTools.h"
#include "support/ScreenDriver.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"
#include "ui_support/Prompts.h"
#include "ui_support/ScrollingContainer.h"
#include "weighing/OrderRows.h"
#include "WeighingTestTools.h"

#include <QDir>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Records the messages the window shows instead of opening boxes.
class RecordedPrompts final : public Prompts
{
public:
    QStringList messages;

    std::optional<QString> inputBox(QWidget *, const QString &, const QString &, const QString &,
                                    QPoint) override
    {
        return std::nullopt;
    }
    void exclamation(QWidget *, const QString &text) override { messages << text; }
};

struct Row
{
    QString product;
    double kilo;
    QString barkod = u"2000001"_s;
};

} // namespace

// The slip button on the real window: preview, print to a PDF file through
// the station's printer or to the PDF queue, booking into StokHaraket.
class TestSlipScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void previewThenPrintBooksTheOrderOnce();
    void previewOnTheWindowShowsTheRowBarcodes();
    void heavyRowIsBookedButItsSlipAbandoned();
    void productTapCancelsThePreview();
    void rowsChangedAfterThePreview();
    void tapWhileThePreviewDrawsIsIgnored();
    void bookingFailureIsShownAndKeepsTheOrder();
    void slipArrivesOnTheRememberedQueue();
    void slipLostWithTheSchedulerNamesItAndPrintsAgain();
    void memberAndAccountReachTheOtherScreens();

private:
    void openOrder();
    void addRows(const QList<Row> &rows);
    QPushButton *slipButton() const { return m_driver->get<QPushButton>(u"Command2(2)"_s); }
    Recordset &orderRows() { return *m_window->data().data3().recordset(); }
    QStringList movements() const;
    QString printedText() const { return PrintTools::pdfText(m_pdf); }

    std::unique_ptr<TestStation> m_station;
    RecordedPrompts m_prompts;
    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ScreenDriver> m_driver;
    QString m_pdf;
};

void TestSlipScreen::init()
{
    m_station = std::make_unique<TestStation>();
    QVERIFY(DemoStation::create(m_station->stationDir()));
    m_prompts = {};
    Prompts::install(&m_prompts);
    // No slip printer remembered: the slip goes to the current printer, a PDF file here.
    m_pdf = m_station->root() + u"/slip.pdf"_s;
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_pdf);

    m_window = std::make_unique<Form1>(m_station->stationDir());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_driver = std::make_unique<ScreenDriver>(*m_window);
    openOrder();
}

void TestSlipScreen::cleanup()
{
    m_driver.reset();
    if (m_window)
        m_window->data().deleteAllRows(m_window->data().data3());
    m_window.reset();
    Prompts::install(nullptr);
    CurrentPrinter::printer().setOutputFileName(QString());
    m_station.reset();
}

void TestSlipScreen::openOrder()
{
    m_driver->typeKeypad(u"E"_s); // "PERSONEL YOK" enters at once
    m_driver->tapEntry(u"List1"_s, 0);
    m_driver->tap(u"Command1"_s);
    QVERIFY(m_window->frame1()->isVisible());
    QCOMPARE(slipButton()->text(), u"Fiş Yaz"_s);
}

void TestSlipScreen::addRows(const QList<Row> &rows)
{
    for (const Row &row : rows)
        QVERIFY(OrderRows::addFinishedProduct(orderRows(), row.product, row.kilo, row.barkod));
    QVERIFY(RefreshDataControl(m_window->data().data3()));
}

QStringList TestSlipScreen::movements() const
{
    return WeighingTestTools::movementsIn(m_window->data().stok()->database());
}

void TestSlipScreen::previewThenPrintBooksTheOrderOnce()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    addRows({{u"Dana Kuşbaşı"_s, 3.2}, {u"Kuzu But"_s, 2.25}, {u"Dana Kuşbaşı"_s, 1.8}});
    const QStringList before = movements();

    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(slipButton()->text(), u"Yazdır"_s);
    QVERIFY(slipButton()->isEnabled());
    QVERIFY(m_window->scrllngFrm1()->isVisible());
    QVERIFY(m_window->picture2()->isVisible());
    Recordset &sums = *m_window->data().data6().recordset();
    QCOMPARE(sums.recordCount(), 2);
    QCOMPARE(sums.valueAt(0, 1).toDouble(), 5.0);
    QCOMPARE(movements(), before); // the preview books nothing
    QVERIFY(!QFile::exists(m_pdf));

    m_driver->tap(u"Command2(2)"_s);
    const QString text = printedText();
    const QString customer = m_driver->text(u"MusTxt"_s);
    QVERIFY(!customer.isEmpty());
    for (const QString &expected : {u"Sayın;"_s, customer, u"3,200 Kg"_s, u"1,800 Kg"_s,
                                    u"5,000 Kg"_s, u"Toplam Kilo = 7,250 Kg"_s,
                                    u"Sipariş Fişidir."_s})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" not in:\n"_s + text));
    QVERIFY(!text.contains(u"Eleman"_s)); // nobody from the staff list logged in
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    QCOMPARE(movements().mid(before.size()),
             (QStringList{today + u"|Dana Kuşbaşı|3.2|0"_s, today + u"|Kuzu But|2.25|0"_s,
                          today + u"|Dana Kuşbaşı|1.8|0"_s}));
    for (int i = 0; i < orderRows().recordCount(); ++i)
        QCOMPARE(orderRows().valueAt(i, orderRows().fieldIndex(u"Tamam"_s)).toInt(), 0);
    QCOMPARE(slipButton()->text(), u"Fiş Yaz"_s);
    QVERIFY(!m_window->scrllngFrm1()->isVisible());
    QVERIFY(!m_driver->widget(u"PrintNotice"_s)->isVisible());
    QVERIFY(m_driver->get<QPushButton>(u"Command2(0)"_s)->isEnabled());
    QVERIFY(!m_driver->get<QPushButton>(u"Command2(1)"_s)->isEnabled());

    // A second slip of the same order is printed but books nothing.
    QVERIFY(QFile::remove(m_pdf));
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    QVERIFY(printedText().contains(u"Toplam Kilo = 7,250 Kg"_s));
    QCOMPARE(movements().size(), before.size() + 3);
    QVERIFY(m_prompts.messages.isEmpty());

    // Printed and booked: the order may be left, and leaving empties it.
    m_driver->tap(u"Command2(0)"_s);
    QCOMPARE(orderRows().recordCount(), 0);
}

// Read from what the window itself shows (its backing store), where the
// preview sits away from the window's corner, not from a grab of the preview.
void TestSlipScreen::previewOnTheWindowShowsTheRowBarcodes()
{
    SKIP_WITHOUT(u"zbarimg"_s, u"pdftoppm"_s);
    addRows({{u"Dana Kuşbaşı"_s, 3.2}, {u"Kuzu But"_s, 2.25}});
    m_driver->tap(u"Command2(2)"_s);
    PreviewPicture *preview = m_window->picture2();
    QVERIFY(preview->isVisible());
    QVERIFY(!preview->mapTo(m_window.get(), QPoint(0, 0)).isNull());
    QTest::qWait(50);
    QCoreApplication::processEvents();

    const QImage shown = m_window->screen()->grabWindow(m_window->winId()).toImage();
    QTemporaryDir scratch;
    QStringList onScreen = PrintTools::decodeBarcodes(
                               shown.scaled(shown.size() * 2, Qt::IgnoreAspectRatio,
                                            Qt::FastTransformation),
                               scratch.path())
                               .split(u'\n', Qt::SkipEmptyParts);
    for (QString &code : onScreen)
        code = code.trimmed().left(12);
    onScreen.sort();
    QCOMPARE(onScreen, (QStringList{u"200000102250"_s, u"200000103200"_s}));

    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(WeighingTestTools::barcodePayloads(m_pdf), onScreen);
}

void TestSlipScreen::heavyRowIsBookedButItsSlipAbandoned()
{
    addRows({{u"Dana Kaburga"_s, 105.5}, {u"Sucuk"_s, 1.5}});
    const qsizetype before = movements().size();
    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(slipButton()->text(), u"Yazdır"_s);
    qsizetype barcodes = 0;
    for (const PageOp &op : m_window->picture2()->page().recording().ops())
        barcodes += op.kind == PageOp::Kind::Picture;
    QCOMPARE(barcodes, qsizetype(1)); // the heavy row is shown without one

    m_driver->tap(u"Command2(2)"_s);
    QVERIFY(!QFile::exists(m_pdf));
    QVERIFY(m_driver->widget(u"PrintNotice"_s)->isVisible());
    const QString notice = m_driver->text(u"PrintNotice"_s);
    QVERIFY2(notice.startsWith(u"Fiş yazdırılamadı: ağırlık (105,500 Kg) barkoda sığmıyor"_s),
             qPrintable(notice));
    QCOMPARE(movements().size(), before + 2);
    QCOMPARE(slipButton()->text(), u"Fiş Yaz"_s);
    QVERIFY(m_driver->get<QPushButton>(u"Command2(1)"_s)->isEnabled());

    // The next row change looks again: a booked row cannot be removed.
    QVERIFY(orderRows().moveLast());
    QVERIFY(!m_driver->get<QPushButton>(u"Command2(1)"_s)->isEnabled());
}

void TestSlipScreen::productTapCancelsThePreview()
{
    addRows({{u"Sucuk"_s, 1.5}});
    const qsizetype before = movements().size();
    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(slipButton()->text(), u"Yazdır"_s);

    auto *list2 = m_driver->get<ListBox>(u"List2"_s);
    const int row = list2->findExact(u"Kuzu But"_s);
    QVERIFY(row >= 0 && row != list2->listIndex());
    list2->scrollTo(list2->model()->index(row, 0));
    m_driver->tapEntry(u"List2"_s, row);
    QCOMPARE(slipButton()->text(), u"Fiş Yaz"_s);
    QVERIFY(!m_window->scrllngFrm1()->isVisible());
    m_driver->tap(u"Command2(2)"_s); // a new preview, not a print
    QCOMPARE(slipButton()->text(), u"Yazdır"_s);
    QVERIFY(m_window->scrllngFrm1()->isVisible());
    QCOMPARE(movements().size(), before);
    QVERIFY(!QFile::exists(m_pdf));
}

void TestSlipScreen::rowsChangedAfterThePreview()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    addRows({{u"Dana Kuşbaşı"_s, 1.0}, {u"Kuzu But"_s, 2.0}});
    const qsizetype before = movements().size();
    m_driver->tap(u"Command2(2)"_s);

    QVERIFY(orderRows().moveLast());
    m_driver->tap(u"Command2(1)"_s); // Kuzu But goes
    addRows({{u"Sucuk"_s, 3.0}});
    m_driver->tap(u"Command2(2)"_s);

    // Rows as they are now, product lines as the preview summed them.
    const QString text = printedText();
    const qsizetype staffGap = text.indexOf(u"Toplam Kilo"_s);
    QVERIFY2(text.indexOf(u"Sucuk"_s) >= 0 && text.indexOf(u"Sucuk"_s) < staffGap, qPrintable(text));
    QVERIFY2(text.indexOf(u"Kuzu But"_s) >= 0, qPrintable(text));
    QVERIFY(text.contains(u"2,000 Kg"_s));
    QVERIFY(text.contains(u"Toplam Kilo = 4,000 Kg"_s));
    const QStringList booked = movements().mid(before);
    QCOMPARE(booked.size(), 2);
    QVERIFY(booked[0].contains(u"|Dana Kuşbaşı|1|"_s));
    QVERIFY(booked[1].contains(u"|Sucuk|3|"_s));
}

void TestSlipScreen::tapWhileThePreviewDrawsIsIgnored()
{
    addRows({{u"Dana Kuşbaşı"_s, 1.0}, {u"Kuzu But"_s, 2.0}, {u"Sucuk"_s, 3.0}});
    const qsizetype before = movements().size();
    bool tappedWhileDrawing = false;
    bool enabledWhileDrawing = true;
    // Runs while the preview lets the screen repaint after its first row.
    QTimer::singleShot(0, this, [&] {
        tappedWhileDrawing = true;
        enabledWhileDrawing = slipButton()->isEnabled();
        slipButton()->click();
    });
    slipButton()->click();
    QVERIFY(tappedWhileDrawing);
    QVERIFY(!enabledWhileDrawing);
    QCOMPARE(slipButton()->text(), u"Yazdır"_s);
    QVERIFY(slipButton()->isEnabled());
    QCOMPARE(movements().size(), before);
    QVERIFY(!QFile::exists(m_pdf));
}

void TestSlipScreen::bookingFailureIsShownAndKeepsTheOrder()
{
    addRows({{u"Dana Kuşbaşı"_s, 1.0}, {u"Kuzu But"_s, 2.0}});
    const qsizetype before = movements().size();
    QSqlQuery refuse(m_window->data().tavran()->database());
    QVERIFY(refuse.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON Tart WHEN old.\"Ürün\" = 'Kuzu But' "
                        u"BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"_s));
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);

    QCOMPARE(m_prompts.messages.size(), 1);
    QVERIFY2(m_prompts.messages[0].startsWith(u"Stok hareketleri kaydedilemedi: «Kuzu But»"_s),
             qPrintable(m_prompts.messages[0]));
    // All or nothing: the row booked before the failure went back with it.
    QCOMPARE(movements().size(), before);
    // An order not fully booked is not left (leaving would discard its rows).
    QVERIFY(!m_driver->get<QPushButton>(u"Command2(0)"_s)->isEnabled());
    QCOMPARE(slipButton()->text(), u"Fiş Yaz"_s);
}

void TestSlipScreen::slipArrivesOnTheRememberedQueue()
{
    if (const QString problem = PrintTools::cupsQueueProblem(u"Fis"_s); !problem.isEmpty())
        QSKIP(qPrintable(problem));
    SKIP_WITHOUT(u"pdftoppm"_s, u"zbarimg"_s);
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    WriteRegValue(SlipPrinterKey, u"Fis"_s);
    const QStringList before = WeighingTestTools::queueFiles(u"Fis"_s);

    addRows({{u"Dana Kuşbaşı"_s, 1.5}, {u"Kuzu But"_s, 12.345, u"2000005"_s}});
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(CurrentPrinter::deviceName(), u"Fis"_s);
    QVERIFY(!m_driver->widget(u"PrintNotice"_s)->isVisible());

    const QString arrived = WeighingTestTools::waitForNewPdf(u"Fis"_s, before);
    QVERIFY2(!arrived.isEmpty(), "no slip arrived on the queue");
    QCOMPARE(WeighingTestTools::barcodePayloads(arrived),
             (QStringList{u"200000101500"_s, u"200000512345"_s}));
}

void TestSlipScreen::slipLostWithTheSchedulerNamesItAndPrintsAgain()
{
    if (const QString problem = PrintTools::cupsQueueProblem(u"Fis"_s); !problem.isEmpty())
        QSKIP(qPrintable(problem));
    CurrentPrinter::printer().setOutputFileName(QString());
    WriteRegValue(SlipPrinterKey, u"Fis"_s);
    addRows({{u"Dana Kuşbaşı"_s, 1.5}});
    const QStringList before = movements();
    auto gone = std::make_unique<PrintTools::SchedulerOutage>();
    QVERIFY(gone->stopped);
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    QCOMPARE(m_driver->text(u"PrintNotice"_s), u"Fiş yazdırılamadı: yazdırma sunucusuna ulaşılamıyor ("_s
                                                   + qEnvironmentVariable("CUPS_SERVER") + u')');
    QCOMPARE(movements().size(), before.size() + 1); // booked all the same

    gone.reset();
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    QVERIFY(!m_driver->widget(u"PrintNotice"_s)->isVisible());
    QVERIFY2(!WeighingTestTools::waitForNewPdf(u"Fis"_s, {}).isEmpty(), "no slip arrived on the queue");
    QCOMPARE(movements().size(), before.size() + 1); // the second slip books nothing
}

// Each screen shows what another one chose: the weighing screen names the
// account tapped on the customer screen, the slip the member who logged in.
void TestSlipScreen::memberAndAccountReachTheOtherScreens()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    m_driver->tap(u"Command2(0)"_s);
    QVERIFY(m_window->girisFrm()->isVisible());
    m_driver->tapEntry(u"List3"_s, 2);
    const QString member = m_driver->get<ListBox>(u"List3"_s)->text();
    m_driver->typeKeypad(u"4711E"_s); // the first login sets the password
    QVERIFY(!m_window->girisFrm()->isVisible());
    m_driver->tapEntry(u"List1"_s, 1);
    const QString account = m_driver->get<ListBox>(u"List1"_s)->text();
    m_driver->tap(u"Command1"_s);

    m_driver->tapEntry(u"List2"_s, 0);
    m_driver->tap(u"Command2(3)"_s);
    QVERIFY(m_window->frame2()->isVisible());
    QCOMPARE(m_driver->text(u"Label2(5)"_s), account);
    m_driver->tap(u"Command4(3)"_s);

    addRows({{u"Sucuk"_s, 1.5}});
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    const QString text = printedText();
    for (const QString &expected : {QString(u"Eleman : "_s + member), account})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" not in:\n"_s + text));
}

QTEST_MAIN(TestSlipScreen)
#include "test_slip_screen.moc"
