#pragma once

#include <QString>

// Where the station's databases and text files live: --data-dir, else
// $TAVRAN_DATA_DIR, else the executable's folder when it holds Tavran.db,
// else $XDG_DATA_HOME/Tavran (created).
namespace StationFolder {

QString resolve(const QString &commandLineDir = {});

} // namespace StationFolder
