#include "app/Form1.h"
#include "app/StationLocale.h"
#include "data/DemoStation.h"
#include "support/TestStation.h"

#include <QDateEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// The station speaks Turkish on a machine set to another language (ctest
// runs this under LC_ALL=C): the report's date picker and Qt's own dialogs.
class TestStationLocale : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void datePickerNamesTheDayInTurkish_data();
    void datePickerNamesTheDayInTurkish();
    void messageBoxButtonsAreTurkish_data();
    void messageBoxButtonsAreTurkish();
};

void TestStationLocale::initTestCase()
{
    QCOMPARE(QLocale::system().language(), QLocale::C);
    QVERIFY2(StationLocale::apply(*QCoreApplication::instance()),
             "Qt's Turkish translations are missing (package qt6-translations-l10n)");
}

void TestStationLocale::datePickerNamesTheDayInTurkish_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shown");
    QTest::newRow("dotted İ and ı") << QDate(2026, 12, 8) << u"08 Aralık 2026 Salı"_s;
    QTest::newRow("ş and ü") << QDate(2027, 2, 4) << u"04 Şubat 2027 Perşembe"_s;
}

void TestStationLocale::datePickerNamesTheDayInTurkish()
{
    QFETCH(QDate, date);
    QFETCH(QString, shown);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    Form1 window(station.stationDir());
    auto *picker = window.findChild<QDateEdit *>(u"DTPicker1"_s);
    QVERIFY(picker);
    picker->setDate(date);
    QCOMPARE(picker->text(), shown);
}

void TestStationLocale::messageBoxButtonsAreTurkish_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("OK") << QMessageBox::Ok << u"Tamam"_s;
    QTest::newRow("Cancel") << QMessageBox::Cancel << u"İptal"_s;
    QTest::newRow("Yes") << QMessageBox::Yes << u"Evet"_s;
    QTest::newRow("No") << QMessageBox::No << u"Hayır"_s;
}

void TestStationLocale::messageBoxButtonsAreTurkish()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QString, caption);
    QMessageBox box(QMessageBox::Question, u"Tavran"_s, u"?"_s, button);
    QCOMPARE(box.button(button)->text().remove(u'&'), caption);
}

QTEST_MAIN(TestStationLocale)
#include "test_station_locale.moc"
