#pragma once

#include "weighing/SlipLine.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class PrinterSurface;

// The order slip: what it says and how it is drawn. The same renderer draws
// the on-screen preview and the printed slip; the two differ in font, in
// where they start, in a gap after the customer, in the total line and in
// how the preview grows and is trimmed at the end.
class OrderSlip
{
public:
    enum class Target { Page, Preview };

    std::array<QString, 8> headerLines; // 0..5 head the slip; empty ones are skipped
    QString customer;
    QString staff;         // the staff member's name; empty prints no staff line
    QList<SlipLine> rows;  // the order rows, each with its barcode
    QList<SlipLine> sums;  // one line per product (StokTmp)
    QDateTime printedAt;

    // Room the preview keeps below an order row, and the page below a
    // product line, before it is lengthened by that much.
    static constexpr int RowRoom = 1520;
    static constexpr int SumRoom = 570;

    // Sum of the rows: the printed total.
    double total() const;

    // "##0.000 Kg": 5 -> "5,000 Kg".
    static QString weightText(double kilo);
    // "07 Aralık 2026 Pazartesi 14:05".
    static QString dateText(const QDateTime &at);
    // The row's barcode code: its prefix and five weight digits; no value
    // when the weight does not fit (100 kg or more, or below zero).
    static std::optional<QString> barcodeCode(const SlipLine &row);

    // Draws the slip. On the page the first row whose barcode cannot be made
    // or printed fails the surface with its reason and ends the drawing; the
    // preview shows such a row without its barcode and goes on.
    // `previewHeight` is the height the preview starts with; `afterRow` runs
    // after each row of the preview (the screen repaints there).
    void draw(PrinterSurface &surface, Target target, int previewHeight = 0,
              const std::function<void()> &afterRow = {}) const;
};
