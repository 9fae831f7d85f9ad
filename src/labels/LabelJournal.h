#pragma once

#include "journal/JournalEntry.h"
#include "labels/PackageLabel.h"

#include <optional>

struct PrintJobResult;

// A package label in the station's journal: the entry a print job leaves,
// and the label an entry recorded, so it can be printed again as it was.
namespace LabelJournal {

// The entry of `label` printed or abandoned on `printer`; `detail` says what
// it was for.
JournalEntry entry(const PackageLabel &label, const QString &printer, const PrintJobResult &result,
                   const QString &detail = {});

// The label of a label entry, printed or abandoned: its product, barcode,
// weight, production and use-by dates. The header lines are the station's
// current ones. No value for any other entry, or one without its dates.
std::optional<PackageLabel> label(const JournalEntry &entry, const std::array<QString, 8> &headerLines);

} // namespace LabelJournal
