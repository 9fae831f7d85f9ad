#pragma once

#include "printing/PrintJob.h"

class QPrinter;

// A print job on a real printer. The page starts as the printer's paper; when
// the drawing lengthened it, the job is sent on paper of the final length.
// The printer's own paper setting is left as it was.
class PrinterJob : public PrintJob
{
public:
    PrinterJob(QPrinter &printer, QString documentName);
    // A job on the printer remembered under `documentKey`, made current
    // first; when that printer cannot be used the job fails with the reason.
    PrinterJob(const QString &documentKey, QString documentName);

    // The queue the job is for: the remembered one even when it could not
    // be made current.
    QString queueName() const { return m_queue; }

protected:
    bool sendPage(QString *reason) override;

private:
    PrinterJob(QPrinter &printer, QString documentName, const QString &unusable);

    QPrinter &m_printer;
    QString m_queue;
};
