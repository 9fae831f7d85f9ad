#pragma once

#include <QList>
#include <QString>

// SQLite's integrity check over the station folder's three databases. Reads
// only: a missing file is reported, never created.
namespace StationCheck {

struct Finding
{
    QString file;    // "Cari.db"
    bool sound = false;
    QString summary; // "ok", or what is wrong (the first problem SQLite names)
};

QList<Finding> run(const QString &stationFolder);

} // namespace StationCheck
