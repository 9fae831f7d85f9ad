#include "journal/JournalLabel.h"

#include "station/NumberText.h"
#include "journal/LabelDates.h"

namespace JournalLabel {

std::optional<PackageLabel> of(const JournalEntry &entry, const std::array<QString, 8> &headerLines)
{
    const QDate produced = QDate::fromString(entry.productionDate, Qt::ISODate);
    const QString useBy = LabelDates::labelFromIso(entry.useByDate);
    if (entry.kind != JournalKind::Label || !entry.kilograms || !produced.isValid() || useBy.isEmpty())
        return std::nullopt;
    PackageLabel label;
    label.product = entry.product;
    label.barkod = entry.barkod;
    label.weightText = NumberText::weightCaption(*entry.kilograms);
    label.headerLines = headerLines;
    label.today = produced;
    label.useByFixed = useBy;
    return label;
}

} // namespace JournalLabel
