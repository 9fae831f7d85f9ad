#include "printing/CurrentPrinter.h"

#include "app/SettingsStore.h"
#include "printing/PrintingLog.h"

#include <QPrinter>
#include <QPrinterInfo>

QPrinter &CurrentPrinter::printer()
{
    static QPrinter current(QPrinter::HighResolution);
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
