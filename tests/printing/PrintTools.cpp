#include "PrintTools.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace PrintTools {

QString missing(const QStringList &programs)
{
    QStringList absent;
    for (const QString &program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            absent << program;
    }
    return absent.isEmpty() ? QString() : u"not installed: "_s + absent.join(u", "_s);
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program),
                 qPrintable(QString::fromLocal8Bit(process.readAllStandardError())));
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString decodeBarcodes(const QString &imagePath)
{
    return run(u"zbarimg"_s, {u"--nodbus"_s, u"-q"_s, u"--raw"_s, imagePath}).trimmed();
}

QString decodeBarcodes(const QImage &image, const QString &scratchDir)
{
    const QString path = QDir(scratchDir).filePath(u"barcode.png"_s);
    if (!image.save(path))
        return {};
    return decodeBarcodes(path);
}

QString barRowProblem(const QImage &page, int y, int xEnd, int dots, int *lastBlack)
{
    int run = 0;
    int last = -1;
    for (int x = 0; x <= xEnd && x <= page.width(); ++x) {
        const int grey = x < xEnd ? qGray(page.pixel(x, y)) : 255;
        if (grey != 0 && grey != 255)
            return u"smoothed pixel at x = %1"_s.arg(x);
        if (grey == 0) {
            ++run;
            last = x;
        } else if (run > 0) {
            if (run % dots != 0)
                return u"bar of %1 dots ending at x = %2, not a multiple of %3"_s.arg(run)
                    .arg(x)
                    .arg(dots);
            run = 0;
        }
    }
    if (lastBlack)
        *lastBlack = last;
    return last < 0 ? u"no bars"_s : QString();
}

QImage rasterize(const QString &pdfPath, int dpi, const QString &scratchDir)
{
    const QString stem = QDir(scratchDir).filePath(u"page"_s);
    run(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-aa"_s, u"no"_s, u"-aaVector"_s,
                        u"no"_s, u"-png"_s, u"-singlefile"_s, pdfPath, stem});
    return QImage(stem + u".png"_s);
}

QString pdfText(const QString &pdfPath)
{
    return run(u"pdftotext"_s, {pdfPath, u"-"_s});
}

QSizeF pdfPageSize(const QString &pdfPath)
{
    static const QRegularExpression size(uR"(Page size:\s+([\d.]+) x ([\d.]+) pts)"_s);
    const QRegularExpressionMatch match = size.match(run(u"pdfinfo"_s, {pdfPath}));
    if (!match.hasMatch())
        return {};
    return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
}

int pdfPages(const QString &pdfPath)
{
    static const QRegularExpression pages(uR"(Pages:\s+(\d+))"_s);
    return pages.match(run(u"pdfinfo"_s, {pdfPath})).captured(1).toInt();
}

QString cupsOutputDir(const QString &queue)
{
    QString root = qEnvironmentVariable("TAVRAN_CUPS_PDF_DIR");
    if (root.isEmpty())
        root = QStringLiteral(TAVRAN_BINARY_DIR "/cups/pdf");
    return QDir(root).filePath(queue);
}

QString cupsQueueProblem(const QString &queue)
{
    // Only the tests' own scheduler: never a printer of the machine.
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    if (server.isEmpty())
        return u"CUPS_SERVER is not set; run the printing tests through ctest"_s;
    const QString start = u"; ctest starts it with tests/cups/start-cups.sh"_s;
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        return u"no print queue \"%1\" on %2%3"_s.arg(queue, server, start);
    // A queue writing somewhere else would leave the test waiting for nothing.
    const QString device = u"tavran-pdf:"_s + cupsOutputDir(queue);
    const QString listing = run(u"lpstat"_s, {u"-v"_s, queue}).trimmed();
    if (!listing.endsWith(u": "_s + device))
        return u"queue \"%1\" does not write to %2 (%3)"_s.arg(queue, device, listing);
    if (!QDir(cupsOutputDir(queue)).exists())
        return u"folder %1 of queue \"%2\" is missing%3"_s.arg(cupsOutputDir(queue), queue, start);
    if (info.state() == QPrinter::Aborted || info.state() == QPrinter::Error)
        return u"queue \"%1\" is stopped"_s.arg(queue);
    return {};
}

namespace {

bool runCupsScript(const QString &script)
{
    const QString dir = QFileInfo(qEnvironmentVariable("CUPS_SERVER")).path();
    return QProcess::execute(QStringLiteral(TAVRAN_SOURCE_DIR "/tests/cups/") + script, {dir}) == 0;
}

} // namespace

bool stopScheduler()
{
    return runCupsScript(u"stop-cups.sh"_s);
}

bool startScheduler()
{
    return runCupsScript(u"start-cups.sh"_s);
}

} // namespace PrintTools
