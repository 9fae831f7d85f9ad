#pragma once

#include <QString>

class QTableView;

// A grid's column layout kept in "<grid name>.Dat" in the station folder:
// restored at start, written whenever the operator resizes a column, with
// the headings re-centred by blanks each time.
namespace GridLayouts {

void load(QTableView *grid, const QString &folder, double scale);
// False (and logged) when the file cannot be written; the grid keeps working.
bool save(QTableView *grid, const QString &folder, double scale);

QString filePath(const QTableView *grid, const QString &folder);

} // namespace GridLayouts
