#pragma once

#include <QString>

// The label prints dates as ": dd.MM.yyyy"; the journal keeps them as
// yyyy-MM-dd. Both ways work on the text, so a use-by of 29 February in a
// year without one is kept and printed again as it was.
namespace LabelDates {

QString isoFromLabel(const QString &labelText);
QString labelFromIso(const QString &iso);

} // namespace LabelDates
