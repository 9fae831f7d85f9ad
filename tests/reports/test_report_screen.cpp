#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "printing/CurrentPrinter.h"
#include "printing/PrintTools.h"
#include "support/TestStation.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate Monday(2026, 12, 7);

// Sales on Monday and Tuesday, a purchase on Tuesday.
void addMovements(const QString &folder)
{
    StationData data;
    data.bind(folder);
    QSqlQuery insert(data.stok()->database());
    for (const QString &values : {u"'2026-12-07', 'Kuzu But', 1.5, 0"_s,
                                  u"'2026-12-07', 'Ali''nin Sucuğu', 1234.5, 0"_s,
                                  u"'2026-12-08', 'Kuzu But', 2.25, 0"_s,
                                  u"'2026-12-08', 'Sucuk', 4, 1"_s})
        QVERIFY(insert.exec(u"INSERT INTO StokHaraket VALUES ("_s + values + u')'));
}

} // namespace

class TestReportScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dailyAndMonthlyTotals();
    void unreadableMovementsCannotBePrinted();
    void closingClearsTheChoice();
    void yazPrintsOnTheCurrentPrinter();

private:
    ScreenDriver &driver() const { return m_f->driver(); }
    QStringList gridRows() const;
    void pickDate(const QDate &date) const
    {
        driver().get<QDateEdit>(u"DTPicker1"_s)->setDate(date);
    }

    std::unique_ptr<ScreenFixture> m_f;
};

void TestReportScreen::init()
{
    m_f = std::make_unique<ScreenFixture>();
    m_f->station().writeStationFile(u"Tavran.Txt"_s, "KORVEL ET\r\n");
    addProducts(m_f->folder(), {u"Sucuk"_s, u"Ali'nin Sucuğu"_s, u"Kuzu But"_s});
    addMovements(m_f->folder());
    m_f->open();
    pickDate(Monday);
}

void TestReportScreen::cleanup()
{
    m_f.reset();
}

QStringList TestReportScreen::gridRows() const
{
    const QAbstractItemModel *model = driver().get<QTableView>(u"DBGrid2"_s)->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r)
        rows << model->index(r, 0).data().toString() + u' ' + model->index(r, 1).data().toString();
    return rows;
}

void TestReportScreen::dailyAndMonthlyTotals()
{
    QVERIFY(!m_f->window().frame3()->isVisible());
    driver().tap(u"Option1(0)"_s);
    QVERIFY(m_f->window().frame3()->isVisible());
    QCOMPARE(gridRows(), (QStringList{u"Ali'nin Sucuğu 1.234,500"_s, u"Kuzu But 1,500"_s}));
    QCOMPARE(driver().text(u"Label5"_s), u"Toplam : 1.236,000 Kg"_s);

    pickDate(Monday.addDays(1)); // the picker rebuilds the day's totals
    QCOMPARE(gridRows(), (QStringList{u"Kuzu But 2,250"_s}));
    QCOMPARE(driver().text(u"Label5"_s), u"Toplam : 2,250 Kg"_s);
    pickDate(Monday.addDays(2));
    QCOMPARE(gridRows(), QStringList());
    QCOMPARE(driver().text(u"Label5"_s), u"Toplam : 0,000 Kg"_s);

    driver().tap(u"Option1(1)"_s);
    QCOMPARE(gridRows(), (QStringList{u"Ali'nin Sucuğu 1.234,500"_s, u"Kuzu But 3,750"_s}));
    QCOMPARE(driver().text(u"Label5"_s), u"Toplam : 1.238,250 Kg"_s);
    pickDate(Monday.addMonths(1)); // still monthly
    QCOMPARE(gridRows(), QStringList());

    driver().tap(u"AlSat"_s); // purchases
    pickDate(Monday);
    QCOMPARE(gridRows(), (QStringList{u"Sucuk 4,000"_s}));
}

void TestReportScreen::unreadableMovementsCannotBePrinted()
{
    QSqlQuery drop(m_f->window().data().stok()->database());
    QVERIFY(drop.exec(u"DROP TABLE StokHaraket"_s));
    driver().tap(u"Option1(0)"_s);
    QCOMPARE(driver().text(u"Label5"_s), u"Toplamlar okunamadı"_s);
    QCOMPARE(gridRows(), QStringList());
    QVERIFY(!driver().get<QPushButton>(u"Command8(1)"_s)->isEnabled());
}

void TestReportScreen::closingClearsTheChoice()
{
    driver().tap(u"Option1(1)"_s);
    driver().tap(u"Command8(0)"_s);
    QVERIFY(!m_f->window().frame3()->isVisible());
    QVERIFY(!driver().get<QRadioButton>(u"Option1(0)"_s)->isChecked());
    QVERIFY(!driver().get<QRadioButton>(u"Option1(1)"_s)->isChecked());

    // A date picked while the screen is closed changes nothing.
    pickDate(Monday.addMonths(1));
    QCOMPARE(driver().text(u"Label5"_s), u"Toplam : 1.238,250 Kg"_s);
    QCOMPARE(gridRows().size(), 2);

    driver().tap(u"Option1(1)"_s); // the same choice again builds anew
    QVERIFY(m_f->window().frame3()->isVisible());
    QCOMPARE(gridRows(), QStringList());
}

void TestReportScreen::yazPrintsOnTheCurrentPrinter()
{
    SKIP_WITHOUT(u"pdftotext"_s);
    QPrinter &printer = CurrentPrinter::printer();
    const QString queue = printer.printerName();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"summary.pdf"_s);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);

    driver().tap(u"Option1(0)"_s);
    driver().tap(u"Command8(1)"_s);
    const QString text = PrintTools::run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    for (const QString &expected : {u"KORVEL ET"_s, u"Günlük Sevk"_s, u"07 Aralık 2026 Pazartesi"_s,
                                    u"1.234,500"_s, u"Toplam : 1.236,000 Kg"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected + u" not in:\n"_s + text));
    QVERIFY(!driver().widget(u"PrintNotice"_s)->isVisible());

    // A page that cannot be written is never silent.
    driver().tap(u"Option1(1)"_s);
    printer.setOutputFileName(dir.filePath(u"gone/summary.pdf"_s));
    driver().tap(u"Command8(1)"_s);
    QVERIFY(driver().widget(u"PrintNotice"_s)->isVisible());
    QVERIFY(driver().text(u"PrintNotice"_s).startsWith(u"Sevkiyat Özeti yazdırılamadı"_s));

    printer.setOutputFileName({});
    printer.setPrinterName(queue);
}

QTEST_MAIN(TestReportScreen)
#include "test_report_screen.moc"
