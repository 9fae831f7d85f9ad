#pragma once

#include "labels/Gs1Elements.h"
#include "labels/LabelBarcodeSettings.h"

#include <QDate>

// The GS1 element strings of a package label, or why it cannot carry them.
namespace Gs1LabelCode {

struct Input
{
    QString gtin; // as stored for the product
    double netKg = 0;
    QDate packed;
    QDate useBy;
    QString lot;    // empty: the packing date, as Paket.Parti holds it
    QString animal; // empty: none
};

struct Result
{
    QList<Gs1Element> elements;
    QString reason; // Turkish; empty when the elements are right

    bool ok() const { return reason.isEmpty(); }
};

// (01) GTIN, (3103) net grams, (13) packed, (17) use-by, then the texts of
// varying length: (10) lot, (251) animal, (7030) approval and (422)-(425)
// countries where set. Fixed-length data comes first so only the varying
// texts need a separator.
Result elements(const Input &input, const LabelBarcodeSettings &settings);

// The lot a label without one carries: its packing date.
QString dateLot(const QDate &packed);

} // namespace Gs1LabelCode
