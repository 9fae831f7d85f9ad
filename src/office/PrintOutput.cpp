#include "office/PrintOutput.h"

#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "printing/PrinterJob.h"

namespace PrintOutput {
namespace {

int ended(const PrintJobResult &result, const QString &command, QTextStream &err)
{
    if (result.printed)
        return OfficeArguments::Done;
    err << command << ": " << result.notice() << Qt::endl;
    return OfficeArguments::Failed;
}

} // namespace

int toPdf(const QString &path, const QString &documentName, QSize pageTwips, const Print &print,
          const QString &command, QTextStream &err)
{
    OutputFile::Staged file(path);
    if (file.tempPath().isEmpty()) {
        err << command << ": " << file.problem() << Qt::endl;
        return OfficeArguments::Failed;
    }
    PdfJob job(file.tempPath(), documentName, pageTwips);
    if (const int code = ended(print(job), command, err); code != OfficeArguments::Done)
        return code;
    QString reason;
    if (!file.commit(&reason)) {
        err << command << ": " << reason << Qt::endl;
        return OfficeArguments::Failed;
    }
    return OfficeArguments::Done;
}

int toPrinter(const QString &printer, const QString &documentKey, const QString &documentName,
              const Print &print, const QString &command, QTextStream &err)
{
    if (!printer.isEmpty() && !CurrentPrinter::select(printer)) {
        err << command << ": \"" << printer << "\" adında yazıcı yok" << Qt::endl;
        return OfficeArguments::Failed;
    }
    // A remembered printer out of reach fails the job instead of another printer taking it.
    PrinterJob job = printer.isEmpty() ? PrinterJob(documentKey, documentName)
                                       : PrinterJob(CurrentPrinter::printer(), documentName);
    return ended(print(job), command, err);
}

} // namespace PrintOutput
