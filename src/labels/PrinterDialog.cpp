#include "labels/PrinterDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

class PlatformPrinterDialog final : public PrinterDialog
{
public:
    std::optional<QString> choose(QPrinter &printer, QWidget *parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return printer.printerName();
    }
};

PrinterDialog *installed = nullptr;

} // namespace

PrinterDialog &PrinterDialog::instance()
{
    static PlatformPrinterDialog platform;
    return installed ? *installed : platform;
}

void PrinterDialog::install(PrinterDialog *dialog)
{
    installed = dialog;
}
