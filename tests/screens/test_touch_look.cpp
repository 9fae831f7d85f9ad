#include "app/Form1.h"
#include "data/DemoStation.h"
#include "reports/ReportPanel.h"
#include "screens/KeyboardLayouts.h"
#include "support/ScreenDriver.h"
#include "support/TestStation.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/Prompts.h"
#include "ui_support/TwipsGeometry.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

int indicatorHeight(QAbstractButton *button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(element, &option, button).height();
}

enum class Box { Message, Input, Calendar };

// The main window over a demo station, shown at `size`; null when it cannot be.
std::unique_ptr<Form1> demoWindowAt(const TestStation &station, QSize size)
{
    if (!DemoStation::create(station.stationDir()))
        return nullptr;
    auto window = std::make_unique<Form1>(station.stationDir());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    window->resize(size);
    if (!QTest::qWaitFor([&window, size] { return window->size() == size; }))
        return nullptr;
    return window;
}

} // namespace

Q_DECLARE_METATYPE(Box)

// What an operator in gloves sees and hits: a greyed button reads as
// switched off, and the small controls grow with the window.
class TestTouchLook : public QObject
{
    Q_OBJECT
private slots:
    void disabledButtonIsGrey_data();
    void disabledButtonIsGrey();
    void smallControlsGrowWithTheWindow_data();
    void smallControlsGrowWithTheWindow();
    void boxesTakeAGlovedFinger_data();
    void boxesTakeAGlovedFinger();
};

void TestTouchLook::disabledButtonIsGrey_data()
{
    QTest::addColumn<int>("colour");
    QTest::newRow("green") << Colors::Green;
    QTest::newRow("yellow") << Colors::Yellow;
    QTest::newRow("cyan") << Colors::Cyan;
}

void TestTouchLook::disabledButtonIsGrey()
{
    QFETCH(int, colour);
    QWidget window;
    auto *button = new QPushButton(u"Tartım Tamam"_s, &window);
    Control::setUp(button, u"Command4(1)"_s, colour, {0, 0, 3510, 1440}, 16);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto saturation = [button] {
        const QImage shot = button->grab().toImage();
        return shot.pixelColor(8, shot.height() / 2).hsvSaturation();
    };
    QVERIFY2(saturation() > 100, qPrintable(QString::number(saturation())));
    button->setEnabled(false);
    QVERIFY2(saturation() < 30, "a disabled button keeps its colour");
}

void TestTouchLook::smallControlsGrowWithTheWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(1018, 740);
    QTest::newRow("full HD") << QSize(1920, 1080);
}

void TestTouchLook::smallControlsGrowWithTheWindow()
{
    QFETCH(QSize, size);
    TestStation station;
    const std::unique_ptr<Form1> shown = demoWindowAt(station, size);
    QVERIFY(shown);
    Form1 &window = *shown;
    QCoreApplication::processEvents();

    // At least a twentieth of the window's height: 37 px at the design size.
    const int finger = size.height() / 20;
    auto *paketYaz = window.findChild<QCheckBox *>(u"PaketYaz"_s);
    QVERIFY(paketYaz);
    QCOMPARE_GE(indicatorHeight(paketYaz, QStyle::SE_CheckBoxIndicator), finger * 2 / 3);
    for (const QString &name : {u"Option1(0)"_s, u"Option1(1)"_s}) {
        auto *option = window.findChild<QRadioButton *>(name);
        QVERIFY(option);
        QCOMPARE_GE(indicatorHeight(option, QStyle::SE_RadioButtonIndicator), finger / 2);
    }
    auto *dosya = window.findChild<QMenu *>(u"Dosya"_s);
    QVERIFY(dosya);
    auto *kapat = dosya->findChild<QAction *>(u"Kapat"_s);
    QVERIFY(kapat);
    QCOMPARE_GE(dosya->actionGeometry(kapat).height(), finger);
}

void TestTouchLook::boxesTakeAGlovedFinger_data()
{
    QTest::addColumn<Box>("box");
    QTest::addColumn<QSize>("size");
    QTest::newRow("message box") << Box::Message << QSize(1018, 740);
    QTest::newRow("input box") << Box::Input << QSize(1018, 740);
    QTest::newRow("calendar") << Box::Calendar << QSize(1018, 740);
    QTest::newRow("calendar, full HD") << Box::Calendar << QSize(1920, 1080);
}

// Every button and day a finger must hit is at least a keyboard key high.
void TestTouchLook::boxesTakeAGlovedFinger()
{
    QFETCH(Box, box);
    QFETCH(QSize, size);
    TestStation station;
    const std::unique_ptr<Form1> shown = demoWindowAt(station, size);
    QVERIFY(shown);
    Form1 &window = *shown;
    const int key = TwipsGeometry::toPixels(KeyboardLayouts::productKeyboard().first().height,
                                            TwipsGeometry::scaleFor(size.width(), size.height()));

    QList<QSize> targets;
    if (box == Box::Calendar) {
        ScreenDriver driver(window);
        driver.typeKeypad(u"E"_s);
        driver.tap(u"Option1(0)"_s);
        QDateEdit *picker = window.reportPanel().dtPicker1();
        QStyleOptionComboBox arrow;
        arrow.initFrom(picker);
        targets << picker->style()
                       ->subControlRect(QStyle::CC_ComboBox, &arrow, QStyle::SC_ComboBoxArrow, picker)
                       .size();
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
        QCalendarWidget *calendar = picker->calendarWidget();
        QTRY_VERIFY(calendar->isVisible());
        auto *days = calendar->findChild<QTableView *>(u"qt_calendar_calendarview"_s);
        QVERIFY(days);
        targets << days->visualRect(days->model()->index(3, 3)).size();
        for (const QToolButton *button : calendar->findChildren<QToolButton *>()) {
            if (button->isVisible())
                targets << button->size();
        }
        calendar->window()->hide();
    } else {
        QTimer::singleShot(0, &window, [&targets] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            for (const QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->isVisible())
                    targets << button->size();
            }
            dialog->close();
        });
        if (box == Box::Message)
            Prompts::instance().exclamation(&window, u"Stok hareketleri kaydedilemedi"_s);
        else
            std::ignore = Prompts::instance().inputBox(&window, u"Ad"_s, u"Tavran"_s, {});
    }
    QVERIFY(!targets.isEmpty());
    for (const QSize &target : targets) {
        QCOMPARE_GE(target.height(), key);
        QCOMPARE_GE(target.width(), key);
    }
}

QTEST_MAIN(TestTouchLook)
#include "test_touch_look.moc"
