#include "labels/PackageLabel.h"

#include "labels/DrawBarcode.h"
#include "labels/LabelContent.h"
#include "labels/LabelDates.h"
#include "printing/PrinterSurface.h"
#include "weighing/WeightCaptions.h"

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

// The GS1 band below the weight box: a GS1-128 across the label with the
// bracketed line under it, or a DataMatrix with the line wrapped beside it.
constexpr int Gs1BandGap = 120;
constexpr int MatrixSideTwips = 1200;
constexpr int Gs1TextSize = 7;
constexpr int Gs1SymbolGap = 90;
// The label stock: 80 mm wide; a GS1 label is longer by its band.
constexpr QSize EanPage(4535, 5100);
constexpr int Gs1BandTop = PagePlaces.boxBottom + Gs1BandGap;
constexpr int MatrixBandHeight = MatrixSideTwips + 300;
constexpr int Linear128BandHeight = 1100; // bars, bracketed line and gap, per symbol
// GS1-128 modules no narrower than GS1's 0.25 mm: at most this many across the label.
constexpr int Linear128MostModules = int((EanPage.width() - 120) / 1440.0 * 25.4 / 0.25);

QList<QList<Gs1Element>> linearSymbols(const QList<Gs1Element> &elements)
{
    return Gs1::linearSymbols(elements, [](const QList<Gs1Element> &symbol) {
        const int modules = Gs1_128Modules(Gs1::bracketed(symbol, u'[', u']'));
        return modules > 0 && modules <= Linear128MostModules;
    });
}

// Prints the pieces from x, as many on a line as fit left of `right`.
void printWrapped(PrinterSurface &s, const QStringList &pieces, qreal x, qreal right)
{
    QString line;
    const auto flush = [&] {
        s.setCurrentX(x);
        s.print(line);
        line.clear();
    };
    for (const QString &piece : pieces) {
        if (!line.isEmpty() && s.textWidth(line + piece) > right - x)
            flush();
        line += piece;
    }
    if (!line.isEmpty())
        flush();
}

// Shrinks the font until `text` fits the width, never below 7 points.
void fitFont(PrinterSurface &s, const QString &text, qreal width, int size)
{
    s.setFontSize(size);
    while (size > 7 && s.textWidth(text) > width)
        s.setFontSize(--size);
}

} // namespace

QSize PackageLabel::pageTwips() const
{
    if (!barcode.isGs1())
        return EanPage;
    const int band = barcode.kind == LabelBarcodeSettings::Kind::Gs1DataMatrix
                         ? MatrixBandHeight
                         : int(qMax<qsizetype>(1, linearSymbols(gs1().elements).size())) * Linear128BandHeight;
    return {EanPage.width(), Gs1BandTop + band};
}

QString PackageLabel::barcodeCode() const
{
    if (barcode.isGs1())
        return Gs1::bracketed(gs1().elements);
    return LabelContent::barcodeCode(barkod, weightText).value_or(QString());
}

Gs1LabelCode::Result PackageLabel::gs1() const
{
    if (!gs1Fixed.isEmpty()) {
        if (const auto elements = Gs1::fromSquareBrackets(gs1Fixed))
            return {*elements, {}};
        return {{}, u"kayıttaki GS1 barkod \"%1\" okunamadı"_s.arg(gs1Fixed)};
    }
    Gs1LabelCode::Input in;
    in.gtin = gtin;
    in.netKg = WeightCaptions::value(weightText);
    in.packed = today;
    in.useBy = QDate::fromString(LabelDates::isoFromLabel(useByText().value_or(QString())), Qt::ISODate);
    in.lot = lot;
    in.animal = animal;
    return Gs1LabelCode::elements(in, barcode);
}

QString PackageLabel::refusal() const
{
    if (!barcode.problem.isEmpty())
        return barcode.problem;
    if (!barcode.isGs1() || !useByText())
        return {}; // the use-by days fail the page with their own reason
    const QString reason = gs1().reason;
    return reason.isEmpty() ? QString() : u"GS1 barkod: "_s + reason;
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
    if (!preview) {
        if (const QString why = refusal(); !why.isEmpty()) {
            s.fail(why);
            return;
        }
    }

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
    if (lot.isEmpty()) {
        s.print(u"Parti No Ürt.Tarihidir"_s);
    } else {
        const QString line = u"Parti No: "_s + lot + (animal.isEmpty() ? QString() : u"  Hayvan: "_s + animal);
        fitFont(s, line, width - 120, 12);
        s.print(line);
        s.setFontSize(12);
    }
    s.setCurrentX(60);
    s.printStay(u"Menşeği Ülke"_s);
    s.setCurrentX(2415);
    s.print(u": TÜRKİYE"_s);

    const qreal y0 = s.currentY();
    const auto code = LabelContent::barcodeCode(barkod, weightText);
    if (barcode.isGs1()) {
        // The GS1 band is drawn below the weight box.
    } else if (!code) {
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
    const qreal weightX = 4350 - s.textWidth(weightText);
    if (tareKg > 0) {
        const qreal y = s.currentY();
        s.setFontSize(12);
        s.setCurrentX(weightX - s.textWidth(u"Net "_s));
        s.setCurrentY(y + 120);
        s.printStay(u"Net "_s);
        s.setCurrentY(y);
        s.setFontSize(22);
    }
    s.setCurrentX(weightX);
    s.print(weightText);

    if (barcode.isGs1()) {
        if (!drawGs1Band(s, at.boxBottom + Gs1BandGap, preview))
            return;
    } else if (preview) {
        s.setCurrentY(s.currentY() + BarcodePicture::DefaultHeightTwips + 120);
    }
    if (preview && s.currentY() + 1050 > s.height()) {
        // Grown once near its end; a GS1 band reaching further is kept in view whole.
        do
            s.setHeight(s.height() + 1100);
        while (barcode.isGs1() && s.currentY() + 1050 > s.height());
    }
}

bool PackageLabel::drawGs1Band(PrinterSurface &s, int top, bool preview) const
{
    // On the page refusal() has stopped a label without its elements.
    const Gs1LabelCode::Result code = gs1();
    if (!code.ok())
        return preview;
    const bool matrix = barcode.kind == LabelBarcodeSettings::Kind::Gs1DataMatrix;
    const int width = s.width();
    const QSizeF size = matrix ? QSizeF(MatrixSideTwips, MatrixSideTwips)
                               : QSizeF(width - 120, BarcodePicture::DefaultHeightTwips);
    const QList<QList<Gs1Element>> symbols =
        matrix ? QList<QList<Gs1Element>>{code.elements} : linearSymbols(code.elements);
    qreal y = top;
    for (const QList<Gs1Element> &symbol : symbols) {
        const BarcodeResult picture =
            DrawGs1Barcode(Gs1::bracketed(symbol, u'[', u']'),
                           matrix ? Gs1Symbol::DataMatrix : Gs1Symbol::Linear128, size);
        if (!picture.ok()) {
            if (!preview)
                s.fail(picture.reason);
            return preview;
        }
        if (!s.paintPicture(picture.picture, 60, y, size.width(), size.height()) && !preview)
            return false;

        QStringList pieces;
        for (const Gs1Element &e : symbol)
            pieces << u'(' + e.ai + u')' + e.data;
        s.setFontSize(Gs1TextSize);
        s.setCurrentY(matrix ? y : y + size.height() + 30);
        printWrapped(s, pieces, matrix ? 60 + size.width() + 120 : 60, width - 60);
        y = qMax(s.currentY(), y + size.height()) + Gs1SymbolGap;
    }
    s.setCurrentY(y);
    return true;
}
