#pragma once

#include <QString>

// How a print job ended. An abandoned job carries a short Turkish reason; the
// operator is shown notice().
struct PrintJobResult
{
    QString document; // what was printed, e.g. "Etiket"
    bool printed = false;
    QString reason; // why it was abandoned

    // "Etiket yazdırılamadı: <reason>"; empty for a printed job.
    QString notice() const;
};
