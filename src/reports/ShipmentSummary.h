#pragma once

#include "reports/ReportPeriod.h"
#include "reports/ShipmentTotals.h"

#include <functional>

class PrintJob;
class PrinterSurface;
struct PrintJobResult;

// The printed shipment summary: the station's header line, "Günlük Sevk" or
// "Aylık Sevk" with the day or month, one ruled line per product with its
// kilograms, and the grand total. No preview: the page is all there is.
class ShipmentSummary
{
public:
    static const QString DocumentName; // "Sevkiyat Özeti"

    ShipmentSummary(ReportPeriod period, QString headerLine, QString totalCaption,
                    QList<ProductTotal> rows);

    QString title() const;      // "Günlük Sevk" / "Aylık Sevk"
    QString periodText() const; // "07 Aralık 2026 Pazartesi" / "Aralık Ayı"

    // Draws the summary. When the next product line would pass the bottom of
    // the page, it goes on a fresh page from `nextPage`, headed again; the
    // first page is asked for first.
    void draw(const std::function<PrinterSurface &()> &nextPage) const;

    // Draws the summary into `job`, a page after another, and ends it: one
    // document however many pages it takes.
    PrintJobResult print(PrintJob &job) const;

private:
    void printHeader(PrinterSurface &page) const;

    ReportPeriod m_period;
    QString m_headerLine;
    QString m_totalCaption;
    QList<ProductTotal> m_rows;
};
