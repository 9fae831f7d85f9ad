#pragma once

#include <QString>

// One line of an order slip: an order row of Tart (with the product's
// barcode prefix) or a per-product sum of StokTmp (no prefix).
struct SlipLine
{
    QString product;
    double kilo = 0;
    QString barkod;
};
