#include "app/Form1.h"
#include "staff/PasswordHash.h"
#include "station/SettingsStore.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "journal/Journal.h"
#include "journal/JournalFile.h"
#include "labels/LabelJournal.h"
#include "labels/PackageLabel.h"
#include "printing/CurrentPrinter.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintTools.h"
#include "support/ScreenDriver.h"
#include "support/TestStation.h"
#include "ui_support/ListBox.h"
#include "ui_support/TapGuard.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Ahmet = u"Ahmet Yılmaz"_s;

// The journal as any SQLite program sees it.
QString sqlite(const QString &file, const QString &sql)
{
    QProcess run;
    run.start(u"sqlite3"_s, {u"-separator"_s, u"|"_s, file, sql});
    run.waitForFinished(10000);
    return QString::fromUtf8(run.readAllStandardOutput() + run.readAllStandardError()).trimmed();
}

} // namespace

class TestWeighingJournal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PasswordHash::setCost(PasswordHash::lightest()); }
    void init();
    void cleanup();
    void weighingRunIsJournalled();
    void unwritableJournalDoesNotStopWeighing();
    void reprintKeepsTheOriginalDates_data();
    void reprintKeepsTheOriginalDates();
    void gs1LabelFromTheWindow_data();
    void gs1LabelFromTheWindow();

private:
    void weighOneProduct(const QString &staffKeys);

    std::unique_ptr<TestStation> m_station;
    std::unique_ptr<QTcpServer> m_scale;
    QTcpSocket *m_scaleClient = nullptr;
    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ScreenDriver> m_driver;
};

void TestWeighingJournal::init()
{
    m_station = std::make_unique<TestStation>();
    QVERIFY(DemoStation::create(m_station->stationDir()));
    m_scale = std::make_unique<QTcpServer>();
    QVERIFY(m_scale->listen(QHostAddress::LocalHost));
    m_scaleClient = nullptr;
    connect(m_scale.get(), &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *next = m_scale->nextPendingConnection())
            m_scaleClient = next;
    });
    WriteRegValue(u"Tart0"_s, u"True"_s);
    WriteRegValue(u"PortNo0"_s, QString::number(m_scale->serverPort()));
    WriteRegValue(u"StationName"_s, u"Kesimhane 2"_s);
    SaveAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s);
    // Labels and slips go into a PDF file: no queue is remembered, so the printer stays.
    QPrinter &printer = CurrentPrinter::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_station->root() + u"/printed.pdf"_s);

    m_window = std::make_unique<Form1>(m_station->stationDir());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_driver = std::make_unique<ScreenDriver>(*m_window);
    QVERIFY(QTest::qWaitFor([this] { return m_scaleClient != nullptr; }, 10000));
}

void TestWeighingJournal::cleanup()
{
    m_driver.reset();
    if (m_window)
        m_window->data().deleteAllRows(m_window->data().data3());
    m_window.reset();
    m_scale.reset();
    m_station.reset();
    CurrentPrinter::printer().setOutputFileName(QString());
}

// Logs Ahmet in with `staffKeys`, picks the first customer and weighs 1,25 +
// 0,25 kg of Dana Kuşbaşı with the label switch on.
void TestWeighingJournal::weighOneProduct(const QString &staffKeys)
{
    m_driver->get<QCheckBox>(u"PaketYaz"_s)->setChecked(true);
    m_driver->tapEntry(u"List3"_s, 1);
    m_driver->typeKeypad(staffKeys);
    QVERIFY(m_window->girisFrm()->isHidden());
    m_driver->tapEntry(u"List1"_s, 0);
    m_driver->tap(u"Command1"_s);
    auto *list2 = m_driver->get<ListBox>(u"List2"_s);
    const int row = list2->findExact(u"Dana Kuşbaşı"_s);
    list2->scrollTo(list2->model()->index(row, 0));
    m_driver->tapEntry(u"List2"_s, row);
    m_driver->tap(u"Command2(3)"_s);
    const std::pair<QByteArray, QString> readings[] = {{"+0001.250 kg\r\n", u"1,250 Kg "_s},
                                                       {"+0000.250 kg\r\n", u"0,250 Kg "_s}};
    for (const auto &[reading, shown] : readings) {
        m_scaleClient->write(reading);
        m_scaleClient->flush();
        QTRY_COMPARE(m_driver->text(u"Label4(0)"_s), shown);
        m_driver->tap(u"Command4(2)"_s);
        QTest::qWait(int(TapGuard::GuardTime.count())); // a new tap, not a bounce
    }
    m_driver->tap(u"Command4(1)"_s);
    QCOMPARE(m_window->data().data3().recordset()->recordCount(), 1);
}

void TestWeighingJournal::weighingRunIsJournalled()
{
    SKIP_WITHOUT(u"sqlite3"_s);
    weighOneProduct(u"4711E"_s); // Ahmet's first password
    const QString barkod = m_window->data().data3().recordset()->value(u"Barkod"_s).toString();
    m_driver->tap(u"Command2(2)"_s); // "Fiş Yaz": the preview
    m_driver->tap(u"Command2(2)"_s); // "Yazdır": printed and booked

    const QString file = JournalFile::path(m_station->stationDir());
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString useBy = QDate::currentDate().addDays(10).toString(Qt::ISODate);
    const QString customer = m_driver->text(u"MusTxt"_s);
    const QString rows = sqlite(file, u"SELECT kind, staff, station, product, kilograms, barcode, "
                                      u"production_date, use_by_date, customer, rows, sale_purchase, "
                                      u"reason FROM entry WHERE kind <> 'ayar' ORDER BY id"_s);
    const QString code = barkod + u"01500"_s;
    const QStringList expected = {
        u"giriş|Ahmet Yılmaz|Kesimhane 2|||||||||"_s,
        u"paket|Ahmet Yılmaz|Kesimhane 2|Dana Kuşbaşı|1.25|||||||"_s,
        u"paket|Ahmet Yılmaz|Kesimhane 2|Dana Kuşbaşı|0.25|||||||"_s,
        u"ürün|Ahmet Yılmaz|Kesimhane 2|Dana Kuşbaşı|1.5|%1|||||"_s.arg(code) + u'|',
        u"etiket|Ahmet Yılmaz|Kesimhane 2|Dana Kuşbaşı|1.5|%1|%2|%3||||"_s.arg(code, today, useBy),
        u"fiş|Ahmet Yılmaz|Kesimhane 2||1.5||||%1|1||"_s.arg(customer),
        u"stok|Ahmet Yılmaz|Kesimhane 2||1.5||||%1|1|satış|"_s.arg(customer),
    };
    QCOMPARE(rows.split(u'\n'), expected);
    // Each package names its lot: the production date while none is set.
    QCOMPARE(sqlite(file, u"SELECT detail FROM entry WHERE kind = 'paket'"_s),
             u"Parti: %1\nParti: %1"_s.arg(today));
    // The password itself is never journalled, and what is written stays.
    QVERIFY(!sqlite(file, u"SELECT * FROM entry"_s).contains(u"4711"_s));
    QVERIFY(sqlite(file, u"DELETE FROM entry"_s).contains(u"never deleted"_s));
    QCOMPARE(sqlite(file, u"SELECT count(*) FROM entry WHERE kind = 'giriş'"_s), u"1"_s);
}

void TestWeighingJournal::unwritableJournalDoesNotStopWeighing()
{
    // A folder where the journal's file should be: no entry can be written.
    QVERIFY(QDir(m_station->stationDir()).mkdir(u"Journal.db"_s));
    weighOneProduct(u"4711E"_s);
    QCOMPARE(m_window->data().data3().recordset()->value(u"Kilo"_s).toDouble(), 1.5);
    QVERIFY(m_driver->widget(u"PrintNotice"_s)->isVisible());
    QVERIFY2(m_driver->text(u"PrintNotice"_s).startsWith(u"Kayıt defteri yazılamıyor"_s),
             qPrintable(m_driver->text(u"PrintNotice"_s)));
    // Shown once: a dismissed notice does not come back with every entry.
    m_driver->tap(u"PrintNotice"_s);
    m_driver->tap(u"Command2(2)"_s);
    m_driver->tap(u"Command2(2)"_s);
    QVERIFY(!m_driver->widget(u"PrintNotice"_s)->isVisible());
    QVERIFY(m_driver->get<QPushButton>(u"Command2(0)"_s)->isEnabled()); // booked
}

void TestWeighingJournal::reprintKeepsTheOriginalDates_data()
{
    QTest::addColumn<bool>("printed");
    QTest::newRow("printed label") << true;
    QTest::newRow("label that never came out") << false;
}

void TestWeighingJournal::reprintKeepsTheOriginalDates()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    QFETCH(bool, printed);
    m_window.reset();
    PackageLabel first;
    first.product = u"Dana Kuşbaşı"_s;
    first.barkod = u"2000001"_s;
    first.weightText = u"1,500 Kg "_s;
    first.headerLines[7] = u"10"_s;
    first.today = QDate(2026, 12, 25);
    Journal journal(m_station->stationDir());
    journal.append(LabelJournal::entry(first, u"Etiket"_s,
                                       PrintJobResult{u"Etiket"_s, printed, printed ? QString() : u"kağıt yok"_s}));
    // The days have changed since; the reprint keeps what was printed.
    m_station->writeStationFile(u"Tavran.Txt"_s, "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nTR\r\n3\r\n");

    const QString pdf = m_station->root() + u"/reprint.pdf"_s;
    QProcess run;
    run.start(QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s,
              {u"--data-dir"_s, m_station->stationDir(), u"label"_s, u"--reprint"_s, u"1"_s, u"--pdf"_s, pdf});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    const QString text = PrintTools::pdfText(pdf);
    QVERIFY2(text.contains(u"25.12.2026"_s) && text.contains(u"04.01.2027"_s), qPrintable(text));
    QVERIFY(text.contains(u"1,500 Kg"_s));

    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(journal.file(), {}, entries));
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[1].useByDate, u"2027-01-04"_s);
    QCOMPARE(entries[1].barcode, u"200000101500"_s);
    QCOMPARE(entries[1].detail, u"yeniden basım, kayıt 1"_s);

    // Only a label can be printed again.
    journal.login(Ahmet, false);
    run.start(QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s,
              {u"--data-dir"_s, m_station->stationDir(), u"label"_s, u"--reprint"_s, u"3"_s, u"--pdf"_s, pdf});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 1);
}

void TestWeighingJournal::gs1LabelFromTheWindow_data()
{
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("notice"); // empty: printed
    QTest::newRow("lot GS1 can carry") << u"K-7"_s << QString();
    QTest::newRow("Turkish letter in the lot")
        << u"KUŞ-7"_s << u"Etiket basılmadı: GS1 barkod: parti no \"KUŞ-7\" içinde GS1 barkoda yazılamayan karakter var: «Ş»"_s;
}

void TestWeighingJournal::gs1LabelFromTheWindow()
{
    SKIP_WITHOUT(u"sqlite3"_s, u"pdftoppm"_s, u"zbarimg"_s);
    QFETCH(QString, lot);
    QFETCH(QString, notice);
    SaveAppSetting(u"Properties"_s, u"EtiketBarkod"_s, u"gs1-128"_s);
    const QString stok = m_station->stationDir() + u"/Stok.db"_s;
    QCOMPARE(sqlite(stok, u"INSERT INTO StokEk(\"Ürün\", GTIN, Parti) VALUES('Dana Kuşbaşı', '8690000123452', '%1')"_s
                              .arg(lot)),
             QString());
    weighOneProduct(u"4711E"_s);

    const QString pdf = m_station->root() + u"/printed.pdf"_s;
    const QString journal = JournalFile::path(m_station->stationDir());
    if (!notice.isEmpty()) {
        QCOMPARE(m_driver->text(u"PrintNotice"_s), notice);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(sqlite(journal, u"SELECT count(*) FROM entry WHERE kind LIKE 'etiket%'"_s), u"0"_s);
        return;
    }
    QTRY_VERIFY(QFile::exists(pdf));
    QTemporaryDir scratch;
    const QString scanned = PrintTools::decodeBarcodes(PrintTools::rasterize(pdf, 300, scratch.path()), scratch.path());
    QVERIFY2(scanned.contains(u"0198690000123455"_s) && scanned.contains(u"10K-7"_s), qPrintable(scanned));
    QVERIFY(sqlite(journal, u"SELECT barcode FROM entry WHERE kind = 'etiket'"_s).startsWith(u"]C1[01]98690000123455"_s));
}

QTEST_MAIN(TestWeighingJournal)
#include "test_weighing_journal.moc"
