#include "labels/DrawBarcode.h"
#include "printing/PreviewPicture.h"
#include "printing/PrintTools.h"
#include "ui_support/TwipsGeometry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The preview widget shows what the page operations drew, at the window's
// scale, and grows with the page.
class TestPreviewPicture : public QObject
{
    Q_OBJECT
private slots:
    void showsTheDrawingAndGrows();
};

void TestPreviewPicture::showsTheDrawingAndGrows()
{
    QWidget frame;
    frame.resize(400, 800);
    auto *preview = new PreviewPicture(QSize(4535, 3000), &frame);
    QCOMPARE(frame.findChild<PreviewPicture *>(u"Picture2"_s), preview);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(preview->width(), TwipsGeometry::toPixels(4535, 1.0));

    PrinterSurface &page = preview->page();
    page.cls();
    page.setCurrentY(180);
    page.setFontSize(12);
    page.setFontBold(true);
    page.setCurrentX((page.width() - page.textWidth(u"KASAP"_s)) / 2);
    page.print(u"KASAP"_s);
    page.setHeight(page.height() + 1520);
    QCOMPARE(preview->height(), TwipsGeometry::toPixels(4520, 1.0));

    // Ink of the centred title between the expected twips, 15 twips a pixel.
    const QImage shot = preview->grab().toImage();
    bool inkInside = false;
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            if (qGray(shot.pixel(x, y)) >= 128)
                continue;
            const qreal tx = x * 15.0, ty = y * 15.0;
            QVERIFY2(ty >= 180 - 15 && ty <= 180 + page.textHeight() + 15, "ink off the line");
            QVERIFY(qAbs(tx - page.width() / 2.0) <= page.textWidth(u"KASAP"_s) / 2 + 30);
            inkInside = true;
        }
    }
    QVERIFY(inkInside);

    // A barcode on the preview still scans (one pixel a module at this scale).
    if (PrintTools::missing({u"zbarimg"_s}).isEmpty()) {
        const BarcodeResult barcode = DrawBarcode(u"200000101500"_s);
        QVERIFY(page.paintPicture(barcode.picture, 0, 3600, 1980, 720));
        QTemporaryDir dir;
        QCOMPARE(PrintTools::decodeBarcodes(preview->grab().toImage(), dir.path()),
                 u"2000001015001"_s);
    }

    page.cls();
    const QImage cleared = preview->grab().toImage();
    QCOMPARE(cleared.pixel(cleared.width() / 2, 18), qRgb(255, 255, 255));
}

QTEST_MAIN(TestPreviewPicture)
#include "test_preview_picture.moc"
