#pragma once

#include "printing/PrintJobResult.h"
#include "printing/PrinterSurface.h"

// One document on paper: a page drawn with the page operations, then ended
// with endDoc() (sent) or killDoc() (abandoned). Nothing reaches the device
// before endDoc(), so an abandoned job leaves no half page behind.
class PrintJob : public PrinterSurface
{
public:
    PrintJob(QString documentName, QSize pageTwips, qreal dotsPerInch);

    QString documentName() const { return m_documentName; }
    qreal dotsPerInch() const { return m_dotsPerInch; }
    bool isEnded() const { return m_ended; }

    // Sends the page at its final height. A failure recorded while drawing,
    // or one of the device, abandons the job instead.
    PrintJobResult endDoc();
    // Abandons the job; the reason is logged and handed back for the operator.
    PrintJobResult killDoc(const QString &reason);

    // Ends the page drawn so far and starts a new one of the same size at the
    // top-left corner; the job sends every page at endDoc().
    void newPage();
    int pageCount() const { return int(m_finishedPages.size()) + 1; }

protected:
    struct Page
    {
        PageRecording recording;
        QSize twips;
    };
    // The finished pages and the current one, in order.
    QList<Page> pages() const;

    qreal deviceDotsPerInch() const override { return m_dotsPerInch; }
    // Puts the recorded page on the device; false and a reason when it cannot.
    virtual bool sendPage(QString *reason) = 0;

private:
    QString m_documentName;
    qreal m_dotsPerInch;
    bool m_ended = false;
    QList<Page> m_finishedPages;
};
