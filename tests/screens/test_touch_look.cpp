#include "app/Form1.h"
#include "data/DemoStation.h"
#include "support/TestStation.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int indicatorHeight(QAbstractButton *button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(element, &option, button).height();
}

} // namespace

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
    QVERIFY(DemoStation::create(station.stationDir()));
    Form1 window(station.stationDir());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(size);
    QTRY_COMPARE(window.size(), size);
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

QTEST_MAIN(TestTouchLook)
#include "test_touch_look.moc"
