#pragma once

#include "printing/PdfJob.h"
#include "printing/PrintJobResult.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTest>

// Outside programs the printing tests check their output with: zbar for
// barcodes, poppler for PDFs, and the PDF queues of the tests' own scheduler
// (tests/cups).
// Skips the test when one of the programs is not installed.
#define SKIP_WITHOUT(...)                                                                      \
    do {                                                                                       \
        if (const QString absent = PrintTools::missing({__VA_ARGS__}); !absent.isEmpty())      \
            QSKIP(qPrintable(absent));                                                         \
    } while (false)

namespace PrintTools {

// Empty when every program is installed, else a message naming the missing.
QString missing(const QStringList &programs);

// Runs a program; its standard output, or a null string when it failed.
QString run(const QString &program, const QStringList &arguments);

// Every symbol zbarimg reads in the image file, one per line, as raw text.
QString decodeBarcodes(const QString &imagePath);
QString decodeBarcodes(const QImage &image, const QString &scratchDir);

// Checks a row of a printed barcode left of x = `xEnd`: only black and white
// pixels, every black run a multiple of `dots`. Empty when it holds, else
// what is wrong. `lastBlack` receives the rightmost black pixel.
QString barRowProblem(const QImage &page, int y, int xEnd, int dots, int *lastBlack = nullptr);

// The PDF's first page as a picture at `dpi`, without smoothing.
QImage rasterize(const QString &pdfPath, int dpi, const QString &scratchDir);
QString pdfText(const QString &pdfPath);
// Size of the PDF's first page in points; an empty size when unreadable.
QSizeF pdfPageSize(const QString &pdfPath);
int pdfPages(const QString &pdfPath);

// Draws a document's paper page (a label, a slip) into a PDF file of
// `pageTwips` and ends the job.
template <typename Document>
PrintJobResult drawPageToPdf(const Document &document, const QString &path,
                             const QString &documentName, QSize pageTwips)
{
    PdfJob job(path, documentName, pageTwips);
    document.draw(job, Document::Target::Page);
    return job.endDoc();
}

// Folder where the test queue `queue` puts its files.
QString cupsOutputDir(const QString &queue);
// Empty when the queue is on the tests' scheduler, writes to its folder and
// is not stopped; else why not.
QString cupsQueueProblem(const QString &queue);

// Stops the tests' scheduler (the one CUPS_SERVER names) and starts it again
// with its queues, as tests/cups does; false when the script failed.
bool stopScheduler();
bool startScheduler();
// Stops the scheduler for one test and starts it again when it goes.
class SchedulerOutage
{
public:
    SchedulerOutage() { stopped = stopScheduler(); }
    ~SchedulerOutage() { startScheduler(); }
    SchedulerOutage(const SchedulerOutage &) = delete;
    SchedulerOutage &operator=(const SchedulerOutage &) = delete;
    bool stopped = false;
};

} // namespace PrintTools
