#include "weighing/OrderSlip.h"

#include "station/NumberText.h"
#include "labels/DrawBarcode.h"
#include "labels/LabelContent.h"
#include "printing/PrinterSurface.h"

#include <QLocale>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

constexpr int Margin = 60;
constexpr int RightMargin = 120;

void printLeft(PrinterSurface &s, const QString &text)
{
    s.setCurrentX(Margin);
    s.print(text);
}

void printCentred(PrinterSurface &s, const QString &text)
{
    s.setCurrentX((s.width() - s.textWidth(text)) / 2);
    s.print(text);
}

void printRight(PrinterSurface &s, const QString &text)
{
    s.setCurrentX(s.width() - s.textWidth(text) - RightMargin);
    s.print(text);
}

void rule(PrinterSurface &s)
{
    s.line(Margin, s.currentY(), s.width() - Margin, s.currentY());
}

void gap(PrinterSurface &s, int twips)
{
    s.setCurrentY(s.currentY() + twips);
}

// Paints the row's barcode at the current line; false when the page must
// give up (the surface then holds the reason).
bool paintBarcode(PrinterSurface &s, const SlipLine &row, bool preview)
{
    const auto code = OrderSlip::barcodeCode(row);
    if (!code) {
        if (!preview)
            s.fail(LabelContent::weightTooLargeReason(NumberText::weightCaption(row.kilo)));
        return preview;
    }
    const BarcodeResult barcode = DrawBarcode(*code);
    if (!barcode.ok()) {
        if (!preview)
            s.fail(barcode.reason);
        return preview;
    }
    const QSizeF size = barcode.picture->sizeTwips();
    return s.paintPicture(barcode.picture, Margin, s.currentY(), size.width(), size.height())
           || preview;
}

} // namespace

double OrderSlip::total() const
{
    double sum = 0;
    for (const SlipLine &row : rows)
        sum += row.kilo;
    return sum;
}

QString OrderSlip::weightText(double kilo)
{
    return NumberText::fixed(kilo, 3) + u" Kg"_s;
}

QString OrderSlip::dateText(const QDateTime &at)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(at, u"dd MMMM yyyy dddd hh:mm"_s);
}

std::optional<QString> OrderSlip::barcodeCode(const SlipLine &row)
{
    return LabelContent::barcodeCode(row.barkod, NumberText::weightCaption(row.kilo));
}

void OrderSlip::draw(PrinterSurface &s, Target target, int previewHeight,
                     const std::function<void()> &afterRow) const
{
    const bool preview = target == Target::Preview;
    if (preview) {
        s.cls();
        s.setFontName(u"Times New Roman"_s);
        s.setFontCharset(162);
        s.setFontSize(12);
        if (previewHeight > 0)
            s.setHeight(previewHeight);
        s.setCurrentY(180);
    } else {
        // The slip printer gets the barcode picture's font.
        s.setFontName(u"Arial"_s);
        s.setFontSize(9.75);
        s.setFontCharset(162);
        s.setDrawWidth(2);
    }
    s.setFontBold(true);

    for (int i = 0; i <= 5; ++i) {
        if (!headerLines[i].isEmpty())
            printCentred(s, headerLines[i]);
    }
    gap(s, 60);
    printCentred(s, dateText(printedAt));
    printLeft(s, u"Sayın;"_s);
    printLeft(s, customer);
    if (preview)
        gap(s, 60);
    gap(s, 100);

    const qreal barcodeHeight = BarcodePicture::DefaultHeightTwips;
    for (const SlipLine &row : rows) {
        rule(s);
        gap(s, 60);
        printLeft(s, row.product);
        printRight(s, weightText(row.kilo));
        if (!paintBarcode(s, row, preview))
            return;
        gap(s, int(barcodeHeight));
        if (preview) {
            if (afterRow)
                afterRow();
            if (s.currentY() + RowRoom > s.height())
                s.setHeight(s.height() + RowRoom);
        }
    }
    rule(s);
    s.setCurrentX(Margin);
    gap(s, 60);
    if (!staff.isEmpty())
        printLeft(s, u"Eleman : "_s + staff);
    gap(s, 60);

    for (const SlipLine &sum : sums) {
        printLeft(s, sum.product);
        printRight(s, weightText(sum.kilo));
        if (s.currentY() + SumRoom > s.height())
            s.setHeight(s.height() + SumRoom);
        if (preview)
            s.setHeight(s.height() + qCeil(s.textHeight(u"İİ"_s)));
    }
    gap(s, 60);

    if (preview) {
        printCentred(s, u"Sipariş Fişidir"_s);
        s.setHeight(qCeil(s.currentY()) + 200);
        return;
    }
    printLeft(s, u"Toplam Kilo = "_s + weightText(total()));
    gap(s, 60);
    printCentred(s, u"Sipariş Fişidir."_s);
    // Paper only grows with the product lines; a long row section or a slip
    // without products still gets a page that holds its last line.
    if (s.currentY() > s.height())
        s.setHeight(qCeil(s.currentY()) + 200);
}
