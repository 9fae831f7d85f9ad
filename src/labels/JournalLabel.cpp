#include "labels/JournalLabel.h"

#include "labels/LabelDates.h"
#include "printing/PrintJobResult.h"
#include "station/NumberText.h"
#include "weighing/WeightCaptions.h"

namespace JournalLabel {

JournalEntry entry(const PackageLabel &label, const QString &printer, const PrintJobResult &result,
                   const QString &detail)
{
    JournalEntry e;
    e.kind = result.printed ? JournalKind::Label : JournalKind::LabelAbandoned;
    e.product = label.product;
    e.kilograms = WeightCaptions::value(label.weightText);
    e.barcode = label.barcodeCode();
    e.barkod = label.barkod;
    e.productionDate = label.today.toString(Qt::ISODate);
    e.useByDate = LabelDates::isoFromLabel(label.useByText().value_or(QString()));
    e.printer = printer;
    e.reason = result.reason;
    e.detail = detail;
    return e;
}

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
