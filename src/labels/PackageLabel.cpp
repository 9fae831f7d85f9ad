#include "labels/PackageLabel.h"

#include "labels/DrawBarcode.h"
#include "labels/LabelContent.h"
#include "printing/PrinterSurface.h"

using namespace Qt::StringLiterals;

namespace {

// Fixed positions (twips) that differ between paper and preview.
struct Places
{
    int ovalCentreY;
    int headerMarkY;
    int barcodeY;
    int boxTop, boxBottom, boxLeft;
};
constexpr Places PagePlaces{2100, 2000, 3770, 4000, 4500, 2000};
constexpr Places PreviewPlaces{1800, 1670, 3600, 3700, 4300, 2160};

void rule(PrinterSurface &s, int right)
{
    s.line(60, s.currentY(), right - 60, s.currentY());
}

} // namespace

QString PackageLabel::barcodeCode() const
{
    return LabelContent::barcodeCode(barkod, weightText).value_or(QString());
}

std::optional<QString> PackageLabel::useByText() const
{
    if (!useByFixed.isEmpty())
        return useByFixed;
    return LabelContent::useByDateText(today, yearRule, headerLines[7]);
}

void PackageLabel::draw(PrinterSurface &s, Target target, int previewHeight) const
{
    const bool preview = target == Target::Preview;
    const Places &at = preview ? PreviewPlaces : PagePlaces;
    const int width = s.width();

    if (preview) {
        s.cls();
        s.setFontSize(18);
        s.setFontCharset(162);
        if (previewHeight > 0)
            s.setHeight(previewHeight);
        s.setCurrentY(90);
        s.setFontBold(true);
        s.printCentred(headerLines[0]);
        s.setFontBold(false);
        s.setFontSize(14);
        s.setCurrentY(s.currentY() + 60);
        // A customer name wider than the preview starts at the left margin.
        const qreal customerWidth = s.textWidth(customer);
        s.setCurrentX(customerWidth > width ? 60 : (width - customerWidth) / 2);
        s.print(customer);
        s.setCurrentY(s.currentY() + 60);
        rule(s, width);
    } else {
        s.setFontSize(18);
        s.setFontCharset(162);
        s.setCurrentY(1000);
        s.setCurrentY(s.currentY() + 60);
        rule(s, width);
    }

    s.setCurrentY(s.currentY() + 60);
    s.printCentred(product);
    rule(s, width);

    s.setFontSize(16);
    s.setCurrentY(s.currentY() + 60);
    s.setDrawWidth(2);
    s.circle(2000, at.ovalCentreY, 800, 0.5);

    s.setFontSize(12);
    s.setCurrentX(1470);
    s.setCurrentY(at.headerMarkY);
    s.print(headerLines[6]);
    s.print();

    const auto useBy = useByText();
    if (!useBy && !preview) {
        s.fail(LabelContent::useByDaysReason(headerLines[7]));
        return;
    }
    s.setCurrentX(preview ? 0 : 60); // the preview's first item starts at the edge
    s.printStay(u"Üretim Tarihi"_s);
    s.setCurrentX(2415);
    s.print(LabelContent::productionDateText(today));
    s.setCurrentX(60);
    s.printStay(u"Son Tüketim Tarihi"_s);
    s.setCurrentX(2415);
    s.print(useBy.value_or(QString()));
    s.setCurrentX(60);
    s.print(u"Parti No Ürt.Tarihidir"_s);
    s.setCurrentX(60);
    s.printStay(u"Menşeği Ülke"_s);
    s.setCurrentX(2415);
    s.print(u": TÜRKİYE"_s);

    const qreal y0 = s.currentY();
    const auto code = LabelContent::barcodeCode(barkod, weightText);
    if (!code) {
        if (!preview) {
            s.fail(LabelContent::weightTooLargeReason(weightText));
            return;
        }
    } else {
        const BarcodeResult barcode = DrawBarcode(*code);
        if (!barcode.ok()) {
            if (!preview) {
                s.fail(barcode.reason);
                return;
            }
        } else {
            const QSizeF size = barcode.picture->sizeTwips();
            if (!s.paintPicture(barcode.picture, 0, at.barcodeY, size.width(), size.height())
                && !preview)
                return;
        }
    }

    s.setFontSize(12);
    s.setCurrentX(3000);
    s.setCurrentY(y0 + 30);
    s.print(u"Ağırlık"_s);
    s.box(4400, at.boxBottom, at.boxLeft, at.boxTop);
    s.setFontSize(22);
    s.setCurrentY(s.currentY() + 60);
    s.setCurrentX(4350 - s.textWidth(weightText));
    s.print(weightText);

    if (preview) {
        s.setCurrentY(s.currentY() + BarcodePicture::DefaultHeightTwips + 120);
        if (s.currentY() + 1050 > s.height())
            s.setHeight(s.height() + 1100);
    }
}
