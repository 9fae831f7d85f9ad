#pragma once

#include "labels/BarcodePicture.h"

#include <QSizeF>
#include <QString>
#include <memory>

// The barcode picture of a code, or why there is none.
struct BarcodeResult
{
    std::shared_ptr<const BarcodePicture> picture;
    QString reason; // Turkish, for the operator; empty when there is a picture

    bool ok() const { return picture != nullptr; }
};

// Encodes a code as a barcode picture (`Picture1`): exactly 12 digits as
// EAN-13, its check digit added, anything else as Code 128. A code that cannot
// be encoded gives no picture and a reason, never an empty symbol.
BarcodeResult DrawBarcode(const QString &code,
                          QSizeF sizeTwips = {BarcodePicture::DefaultWidthTwips,
                                              BarcodePicture::DefaultHeightTwips});

enum class Gs1Symbol { Linear128, DataMatrix };

// Encodes GS1 element strings given as "[01]…[3103]…[10]…" as GS1-128 or
// GS1 DataMatrix; the encoder puts the separators in. A check digit, date or
// character GS1 refuses gives no picture. The symbol has no digits of its
// own: the label prints the bracketed line.
BarcodeResult DrawGs1Barcode(const QString &elements, Gs1Symbol kind, QSizeF sizeTwips);

// Modules across a GS1-128 of the elements, quiet zones included; 0 when
// they cannot be encoded.
int Gs1_128Modules(const QString &elements);
