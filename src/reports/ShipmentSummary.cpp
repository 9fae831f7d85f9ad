#include "reports/ShipmentSummary.h"

#include "station/NumberText.h"
#include "printing/PrintJob.h"
#include "printing/PrinterSurface.h"

#include <QLocale>
#include <vector>

using namespace Qt::StringLiterals;

const QString ShipmentSummary::DocumentName = u"Sevkiyat Özeti"_s;

namespace {

constexpr int BodyPoints = 12;
constexpr int HeaderPoints = 14;
constexpr int HeaderTop = 180;
constexpr int LeftMargin = 60;
constexpr int QuantityRightInset = 90;
constexpr int GapBeforeHeaderRule = 60;
constexpr int GapAroundLine = 30;
constexpr int GapBeforeTotal = 60;
// Lines stop this far above the bottom edge, out of the printer's margin.
constexpr int BottomMargin = 360;

void rule(PrinterSurface &page)
{
    page.line(LeftMargin, page.currentY(), page.scaleWidth() - LeftMargin, page.currentY());
}

bool fits(const PrinterSurface &page, qreal height)
{
    return page.currentY() + height <= page.height() - BottomMargin;
}

} // namespace

ShipmentSummary::ShipmentSummary(ReportPeriod period, QString headerLine, QString totalCaption,
                                 QList<ProductTotal> rows)
    : m_period(period)
    , m_headerLine(std::move(headerLine))
    , m_totalCaption(std::move(totalCaption))
    , m_rows(std::move(rows))
{
}

QString ShipmentSummary::title() const
{
    return m_period.kind() == ReportPeriod::Kind::Day ? u"Günlük Sevk"_s : u"Aylık Sevk"_s;
}

QString ShipmentSummary::periodText() const
{
    const QLocale turkish(QLocale::Turkish);
    if (m_period.kind() == ReportPeriod::Kind::Day)
        return turkish.toString(m_period.date(), u"dd MMMM yyyy dddd"_s);
    return turkish.toString(m_period.date(), u"MMMM"_s) + u" Ayı"_s;
}

void ShipmentSummary::printHeader(PrinterSurface &page) const
{
    page.setFontSize(HeaderPoints);
    page.setFontBold(false);
    page.setCurrentY(HeaderTop);
    page.printCentred(m_headerLine);
    page.printCentred(title());
    page.printCentred(periodText());
    page.setCurrentY(page.currentY() + GapBeforeHeaderRule);
    rule(page);
    page.setFontSize(BodyPoints);
}

void ShipmentSummary::draw(const std::function<PrinterSurface &()> &nextPage) const
{
    PrinterSurface *page = &nextPage();
    page->setFontSize(BodyPoints);
    page->setCurrentY(0);
    bool pageHasLines = false;

    for (const ProductTotal &row : m_rows) {
        const qreal lineHeight = 2 * GapAroundLine + page->textHeight();
        // A page already holding lines hands the rest to a fresh one, so no
        // line is printed past the paper's end.
        if (pageHasLines && !fits(*page, lineHeight)) {
            page = &nextPage();
            page->setFontSize(BodyPoints);
            page->setCurrentY(0);
            pageHasLines = false;
        }
        if (page->currentY() == 0)
            printHeader(*page);

        page->setCurrentY(page->currentY() + GapAroundLine);
        page->setCurrentX(LeftMargin);
        page->printStay(row.product);
        const QString quantity = NumberText::grouped3(row.kilo);
        page->setCurrentX(page->scaleWidth() - QuantityRightInset - page->textWidth(quantity));
        page->print(quantity);
        page->setCurrentY(page->currentY() + GapAroundLine);
        rule(*page);
        pageHasLines = true;
    }

    if (pageHasLines && !fits(*page, GapBeforeTotal + page->textHeight())) {
        page = &nextPage();
        page->setFontSize(BodyPoints);
        page->setCurrentY(0);
    }
    page->setCurrentY(page->currentY() + GapBeforeTotal);
    page->setCurrentX(LeftMargin);
    page->print(m_totalCaption);
}

PrintJobResult ShipmentSummary::print(PrintJob &job) const
{
    bool first = true;
    draw([&]() -> PrinterSurface & {
        if (!first)
            job.newPage();
        first = false;
        return job;
    });
    return job.endDoc();
}
