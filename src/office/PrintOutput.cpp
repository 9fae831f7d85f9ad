#include "office/PrintOutput.h"

#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "printing/PrinterJob.h"

#include <QPrinter>

using namespace Qt::StringLiterals;

namespace PrintOutput {
namespace {

// Fills `outcome` when asked for; a job that never started is abandoned with `reason`.
void tell(Outcome *outcome, const QString &printer, const QString &documentName, const PrintJobResult *result,
          const QString &reason = {})
{
    if (!outcome)
        return;
    outcome->printer = printer;
    if (result) {
        outcome->result = *result;
    } else {
        outcome->result = PrintJobResult{documentName, false, reason};
    }
}

int ended(const PrintJobResult &result, const QString &command, QTextStream &err)
{
    if (result.printed)
        return OfficeArguments::Done;
    err << command << ": " << result.notice() << Qt::endl;
    return OfficeArguments::Failed;
}

} // namespace

int toPdf(const QString &path, const QString &documentName, QSize pageTwips, const Print &print,
          const QString &command, QTextStream &err, Outcome *outcome)
{
    const QString target = u"PDF "_s + path;
    OutputFile::Staged file(path);
    if (file.tempPath().isEmpty()) {
        err << command << ": " << file.problem() << Qt::endl;
        tell(outcome, target, documentName, nullptr, file.problem());
        return OfficeArguments::Failed;
    }
    PdfJob job(file.tempPath(), documentName, pageTwips);
    const PrintJobResult result = print(job);
    if (const int code = ended(result, command, err); code != OfficeArguments::Done) {
        tell(outcome, target, documentName, &result);
        return code;
    }
    QString reason;
    if (!file.commit(&reason)) {
        err << command << ": " << reason << Qt::endl;
        tell(outcome, target, documentName, nullptr, reason);
        return OfficeArguments::Failed;
    }
    tell(outcome, target, documentName, &result);
    return OfficeArguments::Done;
}

int toPrinter(const QString &printer, const QString &documentKey, const QString &documentName,
              const Print &print, const QString &command, QTextStream &err, Outcome *outcome)
{
    if (!printer.isEmpty() && !CurrentPrinter::select(printer)) {
        err << command << ": \"" << printer << "\" adında yazıcı yok" << Qt::endl;
        tell(outcome, printer, documentName, nullptr, u"yazıcı yok"_s);
        return OfficeArguments::Failed;
    }
    // A remembered printer out of reach fails the job instead of another printer taking it.
    PrinterJob job = printer.isEmpty() ? PrinterJob(documentKey, documentName)
                                       : PrinterJob(CurrentPrinter::printer(), documentName);
    const PrintJobResult result = print(job);
    tell(outcome, job.queueName(), documentName, &result);
    return ended(result, command, err);
}

} // namespace PrintOutput
