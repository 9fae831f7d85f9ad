#pragma once

#include "journal/JournalEntry.h"
#include "labels/PackageLabel.h"

#include <optional>

struct PrintJobResult;

// A package label in the journal and back: the entry records the product,
// barcode, weight, production and use-by dates as printed, so a reprint
// shows the same label. The header lines are the station's current ones.
namespace JournalLabel {

// The entry of a label printed or abandoned on `printer`; `detail` says what it was for.
JournalEntry entry(const PackageLabel &label, const QString &printer, const PrintJobResult &result,
                   const QString &detail = {});

// No value for an entry that is not a printed label.
std::optional<PackageLabel> of(const JournalEntry &entry, const std::array<QString, 8> &headerLines);

} // namespace JournalLabel
