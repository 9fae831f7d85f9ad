#include "printing/CurrentPrinter.h"

#include "station/SettingsStore.h"
#include "printing/PrintingLog.h"
#include "printing/PrintQueue.h"
#include "printing/PrinterResolution.h"

#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

// Draw at the driver's own resolution, so barcode bars land on its dots.
void useNativeResolution(QPrinter &printer)
{
    const int dpi = PrinterResolution::native(printer.printerName());
    printer.setResolution(dpi > 0 ? dpi : 1200);
}

QPrinter &makeCurrent()
{
    static QPrinter current(QPrinter::HighResolution);
    useNativeResolution(current);
    return current;
}

} // namespace

QPrinter &CurrentPrinter::printer()
{
    static QPrinter &current = makeCurrent();
    return current;
}

QString CurrentPrinter::deviceName()
{
    return printer().printerName();
}

bool CurrentPrinter::select(const QString &deviceName)
{
    if (deviceName.isEmpty())
        return false;
    const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
    for (const QPrinterInfo &info : installed) {
        if (info.printerName() == deviceName) {
            printer().setPrinterName(info.printerName());
            useNativeResolution(printer());
            return true;
        }
    }
    qCInfo(lcPrinting) << "no installed printer named" << deviceName;
    return false;
}

bool CurrentPrinter::selectRemembered(const QString &documentKey)
{
    return select(regText(ReadRegValue(documentKey)));
}

QString CurrentPrinter::useRemembered(const QString &documentKey)
{
    const QString name = regText(ReadRegValue(documentKey));
    if (name.isEmpty() || select(name))
        return {};
    // A remembered printer must not be swapped for whichever is current.
    const PrintQueueState state = PrintQueue::ask(name);
    return state.isReady() ? u"«%1» yazıcısı kurulu değil"_s.arg(name) : state.reason();
}
