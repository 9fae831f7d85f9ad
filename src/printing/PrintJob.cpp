#include "printing/PrintJob.h"

#include "printing/PrintingLog.h"

using namespace Qt::StringLiterals;

QString PrintJobResult::notice() const
{
    if (printed)
        return {};
    return u"%1 yazdırılamadı: %2"_s.arg(document, reason);
}

PrintJob::PrintJob(QString documentName, QSize pageTwips, qreal dotsPerInch)
    : PrinterSurface(pageTwips),
      m_documentName(std::move(documentName)),
      m_dotsPerInch(dotsPerInch)
{
}

PrintJobResult PrintJob::endDoc()
{
    if (m_ended)
        return killDoc(u"belge zaten bitirildi"_s);
    if (hasFailed())
        return killDoc(failure());
    QString reason;
    if (!sendPage(&reason))
        return killDoc(reason.isEmpty() ? u"yazıcıya gönderilemedi"_s : reason);
    m_ended = true;
    qCInfo(lcPrinting) << "printed" << m_documentName;
    return PrintJobResult{m_documentName, true, {}};
}

PrintJobResult PrintJob::killDoc(const QString &reason)
{
    m_ended = true;
    const QString why = reason.isEmpty() ? u"iş iptal edildi"_s : reason;
    qCWarning(lcPrinting) << "abandoned" << m_documentName << "-" << why;
    return PrintJobResult{m_documentName, false, why};
}

void PrintJob::newPage()
{
    m_finishedPages.append({recording(), QSize(width(), height())});
    cls();
}

QList<PrintJob::Page> PrintJob::pages() const
{
    QList<Page> all = m_finishedPages;
    all.append({recording(), QSize(width(), height())});
    return all;
}
