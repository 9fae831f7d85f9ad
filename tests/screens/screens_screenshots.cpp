#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "data/DemoStation.h"
#include "data/StationData.h"
#include "support/TestStation.h"
#include "ui_support/CaptionLabel.h"
#include "ui_support/KeyLabel.h"

#include <QDir>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

// Renders the login, customer, order and weighing screens at the small and the large
// window size, and checks that every key's text fits its key there. With
// TAVRAN_SCREENSHOT_DIR set the pictures are written into that folder as
// <screen>-<width>x<height>.png.
class ScreensScreenshots : public QObject
{
    Q_OBJECT
private slots:
    void screensAtSize_data();
    void screensAtSize();
};

namespace {

void checkKeysReadable(const Form1 &window)
{
    const auto keys = window.findChildren<KeyLabel *>();
    QVERIFY(keys.size() >= 12 + 48 + 38);
    for (const KeyLabel *key : keys) {
        if (!key->isVisible())
            continue;
        const QFontMetrics metrics(key->font());
        const QRect room = key->contentsRect();
        const QString what = key->objectName() + u" \""_s + key->text() + u'"';
        QVERIFY2(metrics.horizontalAdvance(key->text()) <= room.width(), qPrintable(what + u" too wide"_s));
        QVERIFY2(metrics.height() <= room.height(), qPrintable(what + u" too high"_s));
        QVERIFY2(key->font().pixelSize() >= 14, qPrintable(what + u" too small to read"_s));
    }
}

void save(const QPixmap &picture, const QString &screen, const QSize &size)
{
    QVERIFY(!picture.isNull());
    const QString folder = qEnvironmentVariable("TAVRAN_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString name = u"%1-%2x%3.png"_s.arg(screen).arg(size.width()).arg(size.height());
    QVERIFY(picture.save(QDir(folder).filePath(name)));
}

} // namespace

void ScreensScreenshots::screensAtSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(1018, 698);
    QTest::newRow("full HD") << QSize(1920, 1080);
}

void ScreensScreenshots::screensAtSize()
{
    QFETCH(QSize, size);
    ScreenFixture f;
    QVERIFY(DemoStation::create(f.folder()));
    f.open();
    Form1 &window = f.window();
    ScreenDriver &ui = f.driver();
    window.resize(size.width(), size.height() + window.menuBar()->sizeHint().height());
    QTRY_COMPARE(window.centralWidget()->size(), size);

    save(window.grab(), u"login"_s, size);
    ui.typeKeypad(u"E"_s);
    // After the login the menu bar holds "Dosya" and the mode: the screens keep their size below it.
    QMenuBar *bar = window.menuBar();
    QTRY_COMPARE(bar->height(), bar->sizeHint().height());
    window.resize(size.width(), size.height() + bar->height());
    QTRY_COMPARE(window.centralWidget()->size(), size);
    ui.typeCustomer({u"K"_s, u"A"_s});
    checkKeysReadable(window);
    save(window.grab(), u"customer"_s, size);

    // Two products already weighed: the order opens with their total.
    Recordset *rows = window.data().data3().recordset();
    for (const auto &[name, kilos] : {std::pair{u"Dana Kuşbaşı"_s, 12.345}, {u"Kuzu But"_s, 8.5}}) {
        QVERIFY(rows->addNew());
        QVERIFY(rows->setValue(u"Ürün"_s, name));
        QVERIFY(rows->setValue(u"Kilo"_s, kilos));
        QVERIFY(rows->update());
    }
    QVERIFY(RefreshDataControl(window.data().data3()));
    ui.tap(u"Command1"_s);
    ui.typeProduct({u"D"_s, u"A"_s});
    checkKeysReadable(window);
    save(window.grab(), u"order"_s, size);

    ui.tap(u"Command2(3)"_s);
    ui.get<CaptionLabel>(u"Label4(0)"_s)->setCaption(u"1,250 Kg "_s);
    ui.tap(u"Command4(2)"_s);
    ui.get<CaptionLabel>(u"Label4(0)"_s)->setCaption(u"2,500 Kg "_s);
    save(window.grab(), u"weighing"_s, size);
    ui.tap(u"PartiButton"_s);
    checkKeysReadable(window);
    save(window.grab(), u"lot"_s, size);
    ui.tap(u"PartiVazgec"_s);

    // The order holds rows; empty it so the window may close.
    QVERIFY(window.data().deleteAllRows(window.data().data3()));
}

QTEST_MAIN(ScreensScreenshots)
#include "screens_screenshots.moc"
