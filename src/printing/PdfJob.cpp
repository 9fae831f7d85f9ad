#include "printing/PdfJob.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

PdfJob::PdfJob(QString filePath, QString documentName, QSize pageTwips, int dotsPerInch)
    : PrintJob(std::move(documentName), pageTwips, dotsPerInch),
      m_filePath(std::move(filePath))
{
}

bool PdfJob::sendPage(QString *reason)
{
    QPdfWriter writer(m_filePath);
    writer.setResolution(qRound(dotsPerInch()));
    writer.setTitle(documentName());
    writer.setCreator(u"Tavran"_s);
    const QPageSize pageSize(QSizeF(qreal(width()) / TwipsPerPoint,
                                    qreal(height()) / TwipsPerPoint),
                             QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (!writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()))) {
        *reason = u"sayfa boyutu ayarlanamadı"_s;
        return false;
    }
    QPainter painter;
    if (!painter.begin(&writer)) {
        *reason = u"PDF dosyası açılamadı (%1)"_s.arg(m_filePath);
        return false;
    }
    const qreal scale = dotsPerInch() / TwipsPerInch;
    painter.scale(scale, scale);
    const QList<Page> all = pages();
    bool written = true;
    for (qsizetype i = 0; i < all.size() && written; ++i) {
        if (i > 0)
            written = writer.newPage();
        all[i].recording.replay(painter);
    }
    if (!painter.end() || !written) {
        *reason = u"PDF dosyası yazılamadı (%1)"_s.arg(m_filePath);
        return false;
    }
    return true;
}
