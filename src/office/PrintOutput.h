#pragma once

#include "printing/PrintJobResult.h"

#include <QSize>
#include <QString>
#include <QTextStream>
#include <functional>

class PrintJob;

// Where the office's printed documents go: a PDF file, written whole or not
// at all, or a print queue. `print` draws the document and ends the job.
// Both return the command's exit code and say on `err` what failed.
namespace PrintOutput {

using Print = std::function<PrintJobResult(PrintJob &)>;

// Where a document went and how its job ended, for the journal.
struct Outcome
{
    QString printer; // the queue, or "PDF <file>"
    PrintJobResult result;
};

int toPdf(const QString &path, const QString &documentName, QSize pageTwips, const Print &print,
          const QString &command, QTextStream &err, Outcome *outcome = nullptr);

// The queue named `printer`; without a name the one remembered under
// `documentKey` ("FisYaz").
int toPrinter(const QString &printer, const QString &documentKey, const QString &documentName,
              const Print &print, const QString &command, QTextStream &err, Outcome *outcome = nullptr);

} // namespace PrintOutput
