#include "printing/PrinterJob.h"

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
      m_printer(printer)
{
}

bool PrinterJob::sendPage(QString *reason)
{
    if (m_printer.printerName().isEmpty() && m_printer.outputFileName().isEmpty()) {
        *reason = u"yazıcı seçili değil"_s;
        return false;
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
