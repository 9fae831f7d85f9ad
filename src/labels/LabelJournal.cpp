#include "labels/LabelJournal.h"

#include "station/NumberText.h"
#include "labels/Gs1LabelCode.h"
#include "labels/LabelDates.h"
#include "printing/PrintJobResult.h"
#include "weighing/WeightCaptions.h"

using namespace Qt::StringLiterals;

namespace LabelJournal {
namespace {

// A GS1 label's barcode is kept as its symbology identifier (what a scanner
// sends before the data) and its element strings, so a reprint rebuilds the
// same symbol whatever the settings say by then.
const QString Gs1_128Prefix = u"]C1"_s;
const QString DataMatrixPrefix = u"]d2"_s;

QString journalBarcode(const PackageLabel &label)
{
    if (!label.barcode.isGs1())
        return label.barcodeCode();
    const bool matrix = label.barcode.kind == LabelBarcodeSettings::Kind::Gs1DataMatrix;
    return (matrix ? DataMatrixPrefix : Gs1_128Prefix) + Gs1::bracketed(label.gs1().elements, u'[', u']');
}

// An EAN-13 label's lot and animal reference, which its barcode does not
// hold, follow the entry's detail in the same bracketed form; no bracket is
// in the callers' texts or in GS1's character set.
QString detailWithLot(const PackageLabel &label, const QString &detail)
{
    if (label.barcode.isGs1() || (label.lot.isEmpty() && label.animal.isEmpty()))
        return detail;
    QList<Gs1Element> kept;
    if (!label.lot.isEmpty())
        kept.append({u"10"_s, label.lot});
    if (!label.animal.isEmpty())
        kept.append({u"251"_s, label.animal});
    return (detail.isEmpty() ? QString() : detail + u' ') + Gs1::bracketed(kept, u'[', u']');
}

void restoreFromElements(const QString &elements, PackageLabel &label)
{
    for (const Gs1Element &e : Gs1::fromSquareBrackets(elements).value_or(QList<Gs1Element>())) {
        if (e.ai == u"01"_s)
            label.gtin = e.data;
        else if (e.ai == u"10"_s && e.data != Gs1LabelCode::dateLot(label.today))
            label.lot = e.data;
        else if (e.ai == u"251"_s)
            label.animal = e.data;
    }
}

// The kind, GS1 elements, GTIN, lot and animal the entry kept.
void restore(const JournalEntry &entry, PackageLabel &label)
{
    const bool matrix = entry.barcode.startsWith(DataMatrixPrefix);
    if (!matrix && !entry.barcode.startsWith(Gs1_128Prefix)) {
        if (const qsizetype at = entry.detail.indexOf(u'['); at >= 0)
            restoreFromElements(entry.detail.mid(at), label);
        return;
    }
    label.barcode.kind = matrix ? LabelBarcodeSettings::Kind::Gs1DataMatrix
                                : LabelBarcodeSettings::Kind::Gs1_128;
    label.gs1Fixed = entry.barcode.mid(Gs1_128Prefix.size());
    restoreFromElements(label.gs1Fixed, label);
}

} // namespace

JournalEntry entry(const PackageLabel &label, const QString &printer, const PrintJobResult &result,
                   const QString &detail)
{
    JournalEntry e;
    e.kind = result.printed ? JournalKind::Label : JournalKind::LabelAbandoned;
    e.product = label.product;
    e.kilograms = WeightCaptions::value(label.weightText);
    e.barcode = journalBarcode(label);
    e.barkod = label.barkod;
    e.productionDate = label.today.toString(Qt::ISODate);
    e.useByDate = LabelDates::isoFromLabel(label.useByText().value_or(QString()));
    e.printer = printer;
    e.reason = result.reason;
    e.detail = detailWithLot(label, detail);
    return e;
}

std::optional<PackageLabel> label(const JournalEntry &entry, const std::array<QString, 8> &headerLines)
{
    const QDate produced = QDate::fromString(entry.productionDate, Qt::ISODate);
    const QString useBy = LabelDates::labelFromIso(entry.useByDate);
    // A label that never came out is printed again the same way.
    const bool isLabel = entry.kind == JournalKind::Label || entry.kind == JournalKind::LabelAbandoned;
    if (!isLabel || !entry.kilograms || !produced.isValid() || useBy.isEmpty())
        return std::nullopt;
    PackageLabel label;
    label.product = entry.product;
    label.barkod = entry.barkod;
    label.weightText = NumberText::weightCaption(*entry.kilograms);
    label.headerLines = headerLines;
    label.today = produced;
    label.useByFixed = useBy;
    restore(entry, label);
    return label;
}

} // namespace LabelJournal
