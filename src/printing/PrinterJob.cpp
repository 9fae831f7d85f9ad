#include "printing/PrinterJob.h"

#include "station/SettingsStore.h"
#include "printing/CurrentPrinter.h"
#include "printing/PrintQueue.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {

QSize paperTwips(const QPrinter &printer)
{
    const QSizeF points = printer.pageLayout().fullRect(QPageLayout::Point).size();
    return QSize(qRound(points.width() * PrinterSurface::TwipsPerPoint),
                 qRound(points.height() * PrinterSurface::TwipsPerPoint));
}

} // namespace

PrinterJob::PrinterJob(QPrinter &printer, QString documentName)
    : PrintJob(std::move(documentName), paperTwips(printer), printer.resolution()),
      m_printer(printer),
      m_queue(printer.printerName())
{
}

PrinterJob::PrinterJob(const QString &documentKey, QString documentName)
    : PrinterJob(CurrentPrinter::printer(), std::move(documentName),
                 CurrentPrinter::useRemembered(documentKey))
{
    if (const QString remembered = regText(ReadRegValue(documentKey)); !remembered.isEmpty())
        m_queue = remembered;
}

PrinterJob::PrinterJob(QPrinter &printer, QString documentName, const QString &unusable)
    : PrinterJob(printer, std::move(documentName))
{
    if (!unusable.isEmpty())
        fail(unusable);
}

bool PrinterJob::sendPage(QString *reason)
{
    if (m_printer.printerName().isEmpty() && m_printer.outputFileName().isEmpty()) {
        *reason = u"yazıcı seçili değil"_s;
        return false;
    }
    // The platform's spooler reports nothing when its scheduler is gone, so
    // the job would count as printed although no page ever comes out.
    if (m_printer.outputFileName().isEmpty()) {
        const PrintQueueState queue = PrintQueue::ask(m_printer.printerName());
        if (!queue.isReady()) {
            *reason = queue.reason();
            return false;
        }
    }
    const QPageLayout paper = m_printer.pageLayout();
    const bool fullPage = m_printer.fullPage();
    m_printer.setDocName(documentName());
    m_printer.setFullPage(true);
    if (QSize(width(), height()) != paperTwips(m_printer)) {
        const QPageSize roll(QSizeF(qreal(width()) / TwipsPerPoint,
                                    qreal(height()) / TwipsPerPoint),
                             QPageSize::Point, QString(), QPageSize::ExactMatch);
        m_printer.setPageLayout(QPageLayout(roll, QPageLayout::Portrait, QMarginsF()));
    }

    QPainter painter;
    bool sent = painter.begin(&m_printer);
    if (sent) {
        const qreal scale = qreal(m_printer.resolution()) / TwipsPerInch;
        painter.scale(scale, scale);
        const QList<Page> all = pages();
        for (qsizetype i = 0; i < all.size() && sent; ++i) {
            if (i > 0)
                sent = m_printer.newPage();
            all[i].recording.replay(painter);
        }
        sent = painter.end() && sent;
    }
    if (!sent)
        *reason = u"yazıcı «%1» sayfayı almadı"_s.arg(m_printer.printerName());

    m_printer.setPageLayout(paper);
    m_printer.setFullPage(fullPage);
    return sent;
}
