#pragma once

#include "labels/Gs1LabelCode.h"
#include "labels/LabelBarcodeSettings.h"

#include <QDate>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

class PrinterSurface;

// One package label: what it says and how it is drawn. The same renderer
// draws the on-screen preview and the printed page; the two differ in the
// preview's heading and customer line and in a few fixed positions.
// A label with a lot says so instead of naming the production date as the
// batch; with a tare its weight is net and says "Net"; the GTIN is the
// product's as stored, for a GS1 barcode.
class PackageLabel
{
public:
    enum class Target { Page, Preview };

    QString product;      // the weighed product's name
    QString customer;     // the customer (preview only)
    QString weightText;   // the product total caption, "12,345 Kg "
    QString barkod;       // the product's barcode prefix
    std::array<QString, 8> headerLines;
    QDate today;
    bool yearRule = false; // use-by one year on, else the days of header line 8
    QString useByFixed;    // a reprint's use-by text as first printed; empty: worked out from today
    QString lot;
    QString animal;
    QString gtin;
    double tareKg = 0;
    LabelBarcodeSettings barcode; // the barcode kind and the plant's GS1 data
    QString gs1Fixed;      // a reprint's GS1 elements as first printed ("[01]…"); empty: worked out

    // The page a label of this barcode kind needs: a GS1 symbol takes a band
    // below the weight box.
    QSize pageTwips() const;

    // The use-by text (": dd.MM.yyyy"); no value when the days are no number.
    std::optional<QString> useByText() const;

    // The label's barcode code, or an empty text when the weight cannot be coded.
    // Under a GS1 kind the element strings as printed under the bars, "(01)…(3103)…".
    QString barcodeCode() const;

    // The GS1 element strings of a GS1 label, or why there are none.
    Gs1LabelCode::Result gs1() const;

    // Why the label must not be printed at all, found before anything is
    // drawn (a GS1 text the barcode cannot carry, a product without GTIN);
    // empty when it may.
    QString refusal() const;

    // Draws the label. On the page the first thing that cannot be right (a
    // weight that does not fit the barcode, use-by days that are no number,
    // a barcode that cannot be printed) fails the surface with its reason and
    // ends the drawing; the preview skips such a step and goes on.
    // `previewHeight` is the height the preview starts with.
    void draw(PrinterSurface &surface, Target target, int previewHeight = 0) const;

private:
    // False when the page failed and the drawing ends.
    bool drawGs1Band(PrinterSurface &surface, int top, bool preview) const;
};
