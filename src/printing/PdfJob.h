#pragma once

#include "printing/PrintJob.h"

// A print job whose page goes into a PDF file of the page's final size.
class PdfJob : public PrintJob
{
public:
    PdfJob(QString filePath, QString documentName, QSize pageTwips, int dotsPerInch = 1200);

    QString filePath() const { return m_filePath; }

protected:
    bool sendPage(QString *reason) override;

private:
    QString m_filePath;
};
