#include "station/SettingsStore.h"
#include "labels/ChoosePrinter.h"
#include "labels/DrawBarcode.h"
#include "labels/PrinterDialog.h"
#include "printing/CurrentPrinter.h"
#include "printing/PrintNotice.h"
#include "printing/PrintTools.h"
#include "printing/PrinterJob.h"
#include "support/TestStation.h"

#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Answers the printer dialog as the operator would.
class ScriptedDialog final : public PrinterDialog
{
public:
    std::optional<QString> answer;
    int shown = 0;
    QString openedOn;

    std::optional<QString> choose(QPrinter &printer, QWidget *) override
    {
        ++shown;
        openedOn = printer.printerName();
        return answer;
    }
};

// The finished files of a queue's folder whose names carry `title`; a file
// the queue is still writing has no end-of-file marker yet.
QStringList arrived(const QString &queue, const QString &title)
{
    const QDir dir(PrintTools::cupsOutputDir(queue));
    QStringList paths;
    const QStringList names = dir.entryList({u"*.pdf"_s}, QDir::Files);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        if (name.contains(title) && file.open(QIODevice::ReadOnly)
            && file.readAll().trimmed().endsWith("%%EOF"))
            paths << file.fileName();
    }
    return paths;
}

} // namespace

#define REQUIRE_QUEUES()                                                                 \
    do {                                                                                 \
        for (const QString &queue : {u"Etiket"_s, u"Fis"_s}) {                           \
            if (const QString problem = PrintTools::cupsQueueProblem(queue);             \
                !problem.isEmpty())                                                      \
                QSKIP(qPrintable(problem));                                              \
        }                                                                                \
    } while (false)

class TestPrinterQueue : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void selectsTheRememberedPrinterByExactName_data();
    void selectsTheRememberedPrinterByExactName();
    void choosePrinterRemembersPerDocument_data();
    void choosePrinterRemembersPerDocument();
    void rightButtonOnTheControlsOpensTheDialog();
    void labelArrivesOnItsQueueAndScans();
    void slipOnRollPaperArrivesAsOnePage();
    void abandonedLabelIsShownOnTheWindow();
    void jobNamesWhyItsQueueCannotPrint_data();
    void jobNamesWhyItsQueueCannotPrint();

private:
    std::unique_ptr<TestStation> m_station;
    ScriptedDialog m_dialog;
};

void TestPrinterQueue::init()
{
    m_station = std::make_unique<TestStation>();
    m_dialog = ScriptedDialog();
    PrinterDialog::install(&m_dialog);
}

void TestPrinterQueue::cleanup()
{
    PrinterDialog::install(nullptr);
    m_station.reset();
}

void TestPrinterQueue::selectsTheRememberedPrinterByExactName_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("current");
    QTest::newRow("installed") << u"Etiket"_s << u"Etiket"_s;
    QTest::newRow("other letter case stays on the current") << u"etiket"_s << u"Fis"_s;
    QTest::newRow("nothing remembered") << QString() << u"Fis"_s;
    QTest::newRow("not installed") << u"Zebra"_s << u"Fis"_s;
}

void TestPrinterQueue::selectsTheRememberedPrinterByExactName()
{
    REQUIRE_QUEUES();
    QFETCH(QString, remembered);
    QFETCH(QString, current);
    QVERIFY(CurrentPrinter::select(u"Fis"_s));
    if (!remembered.isNull())
        WriteRegValue(LabelPrinterKey, remembered);
    CurrentPrinter::selectRemembered(LabelPrinterKey);
    QCOMPARE(CurrentPrinter::deviceName(), current);
}

void TestPrinterQueue::choosePrinterRemembersPerDocument_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("answer"); // null: cancelled
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("stored");
    QTest::newRow("cancel keeps the remembered printer current")
        << u"PktYaz"_s << u"Etiket"_s << QString() << u"Etiket"_s << u"Etiket"_s;
    QTest::newRow("cancel with nothing remembered stores nothing")
        << u"FisYaz"_s << QString() << QString() << u"Etiket"_s << QString();
    QTest::newRow("slip printer chosen") << u"FisYaz"_s << QString() << u"Fis"_s << u"Fis"_s
                                         << u"Fis"_s;
    QTest::newRow("name in other letter case still becomes current")
        << u"FisYaz"_s << u"Etiket"_s << u"FIS"_s << u"Fis"_s << u"FIS"_s;
    QTest::newRow("label printer chosen") << u"PktYaz"_s << u"Fis"_s << u"Etiket"_s
                                          << u"Etiket"_s << u"Etiket"_s;
}

void TestPrinterQueue::choosePrinterRemembersPerDocument()
{
    REQUIRE_QUEUES();
    QFETCH(QString, key);
    QFETCH(QString, remembered);
    QFETCH(QString, answer);
    QFETCH(QString, current);
    QFETCH(QString, stored);
    const QString otherKey = key == u"FisYaz"_s ? u"PktYaz"_s : u"FisYaz"_s;
    WriteRegValue(otherKey, u"Fis"_s);
    if (!remembered.isNull())
        WriteRegValue(key, remembered);
    QVERIFY(CurrentPrinter::select(u"Etiket"_s));
    if (!answer.isNull())
        m_dialog.answer = answer;

    QCOMPARE(ChoosePrinter(key), !answer.isNull());
    QCOMPARE(m_dialog.shown, 1);
    QCOMPARE(m_dialog.openedOn, remembered.isNull() ? u"Etiket"_s : remembered);
    QCOMPARE(CurrentPrinter::deviceName(), current);
    const std::optional<QString> value = ReadRegValue(key);
    QCOMPARE(value.has_value(), !stored.isNull());
    if (value)
        QCOMPARE(*value, stored);
    QCOMPARE(regText(ReadRegValue(otherKey)), u"Fis"_s);
}

void TestPrinterQueue::rightButtonOnTheControlsOpensTheDialog()
{
    REQUIRE_QUEUES();
    QWidget window;
    auto *slip = new QPushButton(u"Fiş Yaz"_s, &window);
    slip->setObjectName(u"Command2(2)"_s);
    auto *labels = new QCheckBox(u"Paket Yaz"_s, &window);
    labels->setObjectName(u"PaketYaz"_s);
    labels->move(0, 60);
    PrinterChoiceOnRightClick::attach(slip, SlipPrinterKey);
    PrinterChoiceOnRightClick::attach(labels, LabelPrinterKey);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    m_dialog.answer = u"Fis"_s;
    QTest::mouseClick(slip, Qt::LeftButton);
    QTest::mouseClick(labels, Qt::LeftButton);
    QCOMPARE(m_dialog.shown, 0);
    QVERIFY(labels->isChecked());

    QTest::mouseClick(window.findChild<QPushButton *>(u"Command2(2)"_s), Qt::RightButton);
    QCOMPARE(m_dialog.shown, 1);
    QCOMPARE(regText(ReadRegValue(SlipPrinterKey)), u"Fis"_s);

    m_dialog.answer = u"Etiket"_s;
    QTest::mouseClick(window.findChild<QCheckBox *>(u"PaketYaz"_s), Qt::RightButton);
    QCOMPARE(m_dialog.shown, 2);
    QCOMPARE(regText(ReadRegValue(LabelPrinterKey)), u"Etiket"_s);
    QCOMPARE(regText(ReadRegValue(SlipPrinterKey)), u"Fis"_s);
    QVERIFY(labels->isChecked());
}

void TestPrinterQueue::labelArrivesOnItsQueueAndScans()
{
    REQUIRE_QUEUES();
    SKIP_WITHOUT(u"zbarimg"_s, u"pdftoppm"_s);
    WriteRegValue(LabelPrinterKey, u"Etiket"_s);
    WriteRegValue(SlipPrinterKey, u"Fis"_s);
    QVERIFY(CurrentPrinter::select(u"Fis"_s));
    QVERIFY(CurrentPrinter::selectRemembered(LabelPrinterKey));
    // Pages are drawn at the queue's own resolution (the test queues: 300 dpi).
    const int dpi = CurrentPrinter::printer().resolution();
    QCOMPARE(dpi, 300);

    const QString title = u"Etiket-%1-%2"_s.arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    PrinterJob label(CurrentPrinter::printer(), title);
    label.setFontSize(18);
    label.setCurrentY(1060);
    label.setCurrentX((label.width() - label.textWidth(u"DANA KIYMA"_s)) / 2);
    label.print(u"DANA KIYMA"_s);
    const BarcodeResult barcode = DrawBarcode(u"2000001"_s + u"01500"_s);
    QVERIFY2(barcode.ok(), qPrintable(barcode.reason));
    QVERIFY(label.paintPicture(barcode.picture, 0, 3770, barcode.picture->sizeTwips().width(),
                               barcode.picture->sizeTwips().height()));
    label.setDrawWidth(2);
    label.box(4400, 4500, 2000, 4000);
    const PrintJobResult result = label.endDoc();
    QVERIFY2(result.printed, qPrintable(result.reason));

    QTRY_COMPARE_WITH_TIMEOUT(arrived(u"Etiket"_s, title).size(), 1, 60000);
    QVERIFY(arrived(u"Fis"_s, title).isEmpty());
    QTemporaryDir scratch;
    const QString pdf = arrived(u"Etiket"_s, title).first();
    const QImage page = PrintTools::rasterize(pdf, dpi, scratch.path());
    QVERIFY(!page.isNull());
    QCOMPARE(PrintTools::decodeBarcodes(page, scratch.path()), u"2000001015001"_s);
    // After the spooler the bars still fall on whole dots of the queue.
    const QString problem = PrintTools::barRowProblem(
        page, qRound(3880.0 * dpi / 1440), qRound(1985.0 * dpi / 1440),
        barcode.picture->dotsPerModule(barcode.picture->sizeTwips().width(), dpi));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QFile::remove(pdf);
}

void TestPrinterQueue::slipOnRollPaperArrivesAsOnePage()
{
    REQUIRE_QUEUES();
    SKIP_WITHOUT(u"pdfinfo"_s);
    QVERIFY(CurrentPrinter::select(u"Fis"_s));
    const QString title = u"Fis-%1-%2"_s.arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    PrinterJob slip(CurrentPrinter::printer(), title);
    const int paper = slip.height();
    slip.setFontSize(9.75);
    slip.setFontBold(true);
    while (slip.height() < paper + 3000) {
        slip.setCurrentX(60);
        slip.print(u"Dana Kıyma"_s);
        if (slip.currentY() + 570 > slip.height())
            slip.setHeight(slip.height() + 570);
    }
    const int finalHeight = slip.height();
    QVERIFY(slip.endDoc().printed);
    // The printer keeps its own paper for the next job.
    QCOMPARE(PrinterJob(CurrentPrinter::printer(), title).height(), paper);

    QTRY_COMPARE_WITH_TIMEOUT(arrived(u"Fis"_s, title).size(), 1, 60000);
    const QString pdf = arrived(u"Fis"_s, title).first();
    QCOMPARE(PrintTools::pdfPages(pdf), 1);
    const QSizeF size = PrintTools::pdfPageSize(pdf);
    QVERIFY2(qAbs(size.height() - finalHeight / 20.0) < 1.5,
             qPrintable(u"%1 pt, expected %2"_s.arg(size.height()).arg(finalHeight / 20.0)));
    QFile::remove(pdf);
}

void TestPrinterQueue::abandonedLabelIsShownOnTheWindow()
{
    REQUIRE_QUEUES();
    QVERIFY(CurrentPrinter::select(u"Etiket"_s));
    QWidget window;
    auto *notice = new PrintNotice(&window);
    window.show();
    QVERIFY(notice->isHidden());

    PrinterJob label(CurrentPrinter::printer(), u"Etiket"_s);
    const BarcodeResult barcode = DrawBarcode(u"Şiş"_s);
    QVERIFY(!barcode.ok());
    const PrintJobResult failed = label.killDoc(barcode.reason);
    notice->report(failed);
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(), u"Etiket yazdırılamadı: "_s + barcode.reason);
    QVERIFY(barcode.reason.startsWith(u"barkod «Şiş» oluşturulamadı: "_s));
    QCOMPARE(window.findChild<QLabel *>(u"PrintNotice"_s), notice);

    notice->report(PrintJobResult{u"Sipariş Fişi"_s, true, {}});
    QVERIFY(notice->isVisible());
    notice->report(PrintJobResult{u"Etiket"_s, true, {}});
    QVERIFY(notice->isHidden());
}

void TestPrinterQueue::jobNamesWhyItsQueueCannotPrint_data()
{
    QTest::addColumn<QString>("remembered"); // the label printer
    QTest::addColumn<QString>("outage");     // a command on the queue, or "scheduler" to stop it
    QTest::addColumn<bool>("chosenBefore");  // the label printer was current before the outage
    QTest::addColumn<QString>("reason");     // empty: printed; %1 the scheduler's socket
    QTest::newRow("ready") << u"Etiket"_s << QString() << false << QString();
    QTest::newRow("queue missing")
        << u"Zebra"_s << QString() << false << u"yazdırma sunucusunda «Zebra» yazıcısı yok"_s;
    QTest::newRow("queue stopped")
        << u"Etiket"_s << u"cupsdisable"_s << false << u"«Etiket» yazıcısı durdurulmuş"_s;
    QTest::newRow("queue refusing jobs")
        << u"Etiket"_s << u"cupsreject"_s << false << u"«Etiket» yazıcısı iş kabul etmiyor"_s;
    QTest::newRow("scheduler gone, slip printer current")
        << u"Etiket"_s << u"scheduler"_s << false << u"yazdırma sunucusuna ulaşılamıyor (%1)"_s;
    QTest::newRow("scheduler gone after the label printer was chosen")
        << u"Etiket"_s << u"scheduler"_s << true << u"yazdırma sunucusuna ulaşılamıyor (%1)"_s;
}

void TestPrinterQueue::jobNamesWhyItsQueueCannotPrint()
{
    REQUIRE_QUEUES();
    QFETCH(QString, remembered);
    QFETCH(QString, outage);
    QFETCH(bool, chosenBefore);
    QFETCH(QString, reason);
    WriteRegValue(LabelPrinterKey, remembered);
    QVERIFY(CurrentPrinter::select(chosenBefore ? remembered : u"Fis"_s));
    std::unique_ptr<PrintTools::SchedulerOutage> gone;
    if (outage == u"scheduler"_s) {
        gone = std::make_unique<PrintTools::SchedulerOutage>();
        QVERIFY(gone->stopped);
    } else if (!outage.isEmpty()) {
        QCOMPARE(QProcess::execute(outage, {remembered}), 0);
    }
    const auto restore = qScopeGuard([&] {
        if (outage == u"cupsdisable"_s)
            QProcess::execute(u"cupsenable"_s, {remembered});
        else if (outage == u"cupsreject"_s)
            QProcess::execute(u"cupsaccept"_s, {remembered});
    });

    PrinterJob job = chosenBefore ? PrinterJob(CurrentPrinter::printer(), u"Etiket"_s)
                                  : PrinterJob(LabelPrinterKey, u"Etiket"_s);
    job.print(u"DANA KIYMA"_s);
    const PrintJobResult result = job.endDoc();
    QCOMPARE(result.reason, QString(reason).replace(u"%1"_s, qEnvironmentVariable("CUPS_SERVER")));
    QCOMPARE(result.printed, reason.isEmpty());
    QCOMPARE(job.queueName(), remembered);
}

QTEST_MAIN(TestPrinterQueue)
#include "test_printer_queue.moc"
