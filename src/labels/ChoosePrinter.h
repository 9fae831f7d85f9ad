#pragma once

#include <QLatin1String>
#include <QObject>
#include <QString>

class QWidget;

// Document keys under which the printer of each document is remembered.
inline constexpr QLatin1String SlipPrinterKey("FisYaz");
inline constexpr QLatin1String LabelPrinterKey("PktYaz");

// Lets the operator pick the printer of one document in the printer dialog,
// starting on the printer remembered for it. On confirmation the choice
// becomes the current printer and is remembered under `documentKey` exactly
// as the dialog named it; a cancelled dialog changes nothing. Returns whether
// a printer was chosen.
bool ChoosePrinter(const QString &documentKey, QWidget *parent = nullptr);

// Opens ChoosePrinter for `documentKey` on a right-button press on a control
// ("Fiş Yaz" for the slip, "Paket Yaz" for labels); other presses pass on.
class PrinterChoiceOnRightClick : public QObject
{
    Q_OBJECT
public:
    PrinterChoiceOnRightClick(QWidget *control, QString documentKey);

    static void attach(QWidget *control, const QString &documentKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_control;
    QString m_documentKey;
};
