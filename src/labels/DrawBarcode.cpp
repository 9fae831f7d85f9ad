#include "labels/DrawBarcode.h"

#include "labels/LabelsLog.h"
#include "labels/ZintSymbol.h"

#include <zint.h>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcLabels, "tavran.labels")

namespace {

bool isEanPayload(const QString &code)
{
    return code.size() == 12
        && std::all_of(code.cbegin(), code.cend(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

BarcodeResult failed(const QString &code, const QString &why)
{
    qCWarning(lcLabels) << "barcode not made for" << code << "-" << why;
    return {nullptr, u"barkod «%1» oluşturulamadı: %2"_s.arg(code, why)};
}

Qt::Alignment alignmentOf(int halign)
{
    switch (halign) {
    case 1:
        return Qt::AlignLeft;
    case 2:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

// The picture of an encoded symbol; its vector is made here.
BarcodeResult pictureOf(const ZintSymbol &symbol, const QString &code, const QString &symbology,
                        BarcodePicture::Shape shape, QSizeF sizeTwips)
{
    symbol->output_options |= BARCODE_QUIET_ZONES;
    // At scale 0.5 one vector unit is one module.
    symbol->scale = 0.5f;

    const QByteArray data = code.toUtf8();
    const int rc = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char *>(data.constData()),
        int(data.size()), 0);
    // In GS1 mode a wrong check digit or date is only a warning: never print it.
    const bool gs1 = symbol->input_mode == GS1_MODE;
    if (rc >= ZINT_ERROR || (gs1 && rc != 0))
        return failed(code, QString::fromUtf8(symbol->errtxt));
    const zint_vector *vector = symbol->vector;
    if (!vector || !vector->rectangles || vector->width <= 0)
        return failed(code, u"sembol çizilemedi"_s);

    QList<QRectF> bars;
    for (const zint_vector_rect *r = vector->rectangles; r; r = r->next)
        bars.append(QRectF(r->x, r->y, r->width, r->height));
    QList<BarcodePicture::Text> texts;
    for (const zint_vector_string *s = vector->strings; s; s = s->next) {
        texts.append({QPointF(s->x, s->y), s->fsize, alignmentOf(s->halign),
                      QString::fromUtf8(reinterpret_cast<const char *>(s->text), s->length)});
    }
    return {std::make_shared<const BarcodePicture>(
                code, symbology, std::move(bars), std::move(texts),
                QSizeF(vector->width, vector->height), symbol->height, sizeTwips, shape),
            {}};
}

} // namespace

BarcodeResult DrawBarcode(const QString &code, QSizeF sizeTwips)
{
    if (code.isEmpty())
        return failed(code, u"kod boş"_s);

    const ZintSymbol symbol;
    if (!symbol)
        return failed(code, u"bellek yetersiz"_s);

    const bool ean = isEanPayload(code);
    symbol->symbology = ean ? BARCODE_EANX : BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    return pictureOf(symbol, code, ean ? u"EAN-13"_s : u"Code 128"_s,
                     BarcodePicture::Shape::Linear, sizeTwips);
}

BarcodeResult DrawGs1Barcode(const QString &elements, Gs1Symbol kind, QSizeF sizeTwips)
{
    if (elements.isEmpty())
        return failed(elements, u"kod boş"_s);
    const ZintSymbol symbol;
    if (!symbol)
        return failed(elements, u"bellek yetersiz"_s);
    const bool matrix = kind == Gs1Symbol::DataMatrix;
    symbol->symbology = matrix ? BARCODE_DATAMATRIX : BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE;
    symbol->show_hrt = 0; // the label prints the bracketed line in its own font
    return pictureOf(symbol, elements, matrix ? u"GS1 DataMatrix"_s : u"GS1-128"_s,
                     matrix ? BarcodePicture::Shape::Matrix : BarcodePicture::Shape::Linear, sizeTwips);
}

int Gs1_128Modules(const QString &elements)
{
    const ZintSymbol symbol;
    if (!symbol)
        return 0;
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE;
    const QByteArray data = elements.toUtf8();
    if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.constData()),
                        int(data.size()))
        >= ZINT_ERROR)
        return 0;
    return symbol->width + 2 * 10; // ten modules of quiet zone each side
}
