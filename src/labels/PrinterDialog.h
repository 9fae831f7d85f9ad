#pragma once

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

// The platform's printer dialog behind a seam, so tests can answer it. The
// default shows QPrintDialog, modal to `parent`.
class PrinterDialog
{
public:
    virtual ~PrinterDialog() = default;

    // Offers the installed printers, starting on `printer`. Returns the device
    // name the user chose, nothing when cancelled. Page settings confirmed in
    // the dialog are applied to `printer`.
    virtual std::optional<QString> choose(QPrinter &printer, QWidget *parent) = 0;

    static PrinterDialog &instance();
    // Replaces the dialog (tests); nullptr restores the platform's one.
    static void install(PrinterDialog *dialog);
};
