#include "labels/ChoosePrinter.h"

#include "station/SettingsStore.h"
#include "labels/LabelsLog.h"
#include "labels/PrinterDialog.h"
#include "printing/CurrentPrinter.h"

#include <QMouseEvent>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace {

// A name the dialog returned in other letter case still picks its printer.
// An exact match wins; otherwise the last printer whose name matches without
// regard to case, in the platform's order.
void selectChosen(const QString &chosen)
{
    if (CurrentPrinter::select(chosen))
        return;
    QString match;
    const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
    for (const QPrinterInfo &info : installed) {
        if (info.printerName().compare(chosen, Qt::CaseInsensitive) == 0)
            match = info.printerName();
    }
    if (!match.isEmpty())
        CurrentPrinter::select(match);
    else
        qCWarning(lcLabels) << "chosen printer is not installed:" << chosen;
}

} // namespace

bool ChoosePrinter(const QString &documentKey, QWidget *parent)
{
    CurrentPrinter::selectRemembered(documentKey);
    QPrinter &printer = CurrentPrinter::printer();
    const std::optional<QString> chosen = PrinterDialog::instance().choose(printer, parent);
    if (!chosen)
        return false;
    if (*chosen != CurrentPrinter::deviceName())
        selectChosen(*chosen);
    WriteRegValue(documentKey, *chosen);
    qCInfo(lcLabels) << "printer for" << documentKey << "is now" << *chosen;
    return true;
}

PrinterChoiceOnRightClick::PrinterChoiceOnRightClick(QWidget *control, QString documentKey)
    : QObject(control),
      m_control(control),
      m_documentKey(std::move(documentKey))
{
    control->installEventFilter(this);
}

void PrinterChoiceOnRightClick::attach(QWidget *control, const QString &documentKey)
{
    new PrinterChoiceOnRightClick(control, documentKey); // owned by the control
}

bool PrinterChoiceOnRightClick::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        ChoosePrinter(m_documentKey, m_control->window());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
