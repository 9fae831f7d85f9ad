#pragma once

#include <QString>

// Where the station's databases and text files live: --data-dir, else
// $TAVRAN_DATA_DIR, else the executable's folder when it holds Tavran.db,
// else $XDG_DATA_HOME/Tavran (created).
namespace StationFolder {

struct Location
{
    QString path;
    bool named = false; // given by --data-dir or $TAVRAN_DATA_DIR: never created on a whim
};

Location locate(const QString &commandLineDir = {});
QString resolve(const QString &commandLineDir = {});

} // namespace StationFolder
