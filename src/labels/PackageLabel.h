#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <optional>

class PrinterSurface;

// One package label: what it says and how it is drawn. The same renderer
// draws the on-screen preview and the printed page; the two differ in the
// preview's heading and customer line and in a few fixed positions.
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

    // The use-by text (": dd.MM.yyyy"); no value when the days are no number.
    std::optional<QString> useByText() const;

    // The label's barcode code, or an empty text when the weight cannot be coded.
    QString barcodeCode() const;

    // Draws the label. On the page the first thing that cannot be right (a
    // weight that does not fit the barcode, use-by days that are no number,
    // a barcode that cannot be printed) fails the surface with its reason and
    // ends the drawing; the preview skips such a step and goes on.
    // `previewHeight` is the height the preview starts with.
    void draw(PrinterSurface &surface, Target target, int previewHeight = 0) const;
};
