#include "office/PrintOutput.h"

#include "office/CommandLine.h"
#include "office/OutputFile.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "printing/PrinterJob.h"

namespace PrintOutput {
namespace {

int ended(const PrintJobResult &result, const QString &command, QTextStream &err)
{
    if (result.printed)
        return CommandLine::Done;
    err << command << ": " << result.notice() << Qt::endl;
    return CommandLine::Failed;
}

} // namespace

int toPdf(const QString &path, const QString &documentName, QSize pageTwips, const Print &print,
          const QString &command, QTextStream &err)
{
    OutputFile::Staged file(path);
    if (file.tempPath().isEmpty()) {
        err << command << ": " << file.problem() << Qt::endl;
        return CommandLine::Failed;
    }
    PdfJob job(file.tempPath(), documentName, pageTwips);
    if (const int code = ended(print(job), command, err); code != CommandLine::Done)
        return code;
    QString reason;
    if (!file.commit(&reason)) {
        err << command << ": " << reason << Qt::endl;
        return CommandLine::Failed;
    }
    return CommandLine::Done;
}

int toPrinter(const QString &printer, const QString &documentKey, const QString &documentName,
              const Print &print, const QString &command, QTextStream &err)
{
    if (printer.isEmpty()) {
        CurrentPrinter::selectRemembered(documentKey);
    } else if (!CurrentPrinter::select(printer)) {
        err << command << ": \"" << printer << "\" adında yazıcı yok" << Qt::endl;
        return CommandLine::Failed;
    }
    PrinterJob job(CurrentPrinter::printer(), documentName);
    return ended(print(job), command, err);
}

} // namespace PrintOutput
