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

protected:
    bool sendPage(QString *reason) override;

private:
    QPrinter &m_printer;
};
