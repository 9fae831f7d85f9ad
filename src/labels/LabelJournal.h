#pragma once

#include "journal/JournalEntry.h"
#include "labels/PackageLabel.h"

#include <optional>

// The label a journal entry recorded, as it was printed: its product,
// barcode, weight, production and use-by dates. The header lines are the
// station's current ones. No value for an entry that is not a printed label.
namespace JournalLabel {

std::optional<PackageLabel> of(const JournalEntry &entry, const std::array<QString, 8> &headerLines);

} // namespace JournalLabel
