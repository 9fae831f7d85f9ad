#pragma once

#include <QString>

// The resolution a print queue's driver renders at, its default
// "printer-resolution" (203 for a typical thermal label printer). Pages are
// drawn at this resolution so that barcode bars fall on the driver's dots.
namespace PrinterResolution {

// Dots per inch of the queue's default resolution; 0 when the queue has none
// or its scheduler cannot be asked. Known answers are remembered per queue; a
// scheduler that did not answer is asked again next time.
int native(const QString &queueName);

} // namespace PrinterResolution
