#pragma once

#include <QString>

// The resolution a print queue's driver renders at, from the queue's default
// "Resolution" option (203 for a typical thermal label printer). Pages are
// drawn at this resolution so that barcode bars fall on the driver's dots.
namespace PrinterResolution {

// Dots per inch of the queue's default resolution; 0 when the queue has no
// such option or cannot be asked. Answers are remembered per queue.
int native(const QString &queueName);

// Reads the default from `lpoptions -l` output; 0 when absent.
int parseDefault(const QString &optionsListing);

} // namespace PrinterResolution
