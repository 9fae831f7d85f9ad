#pragma once

#include <QString>
#include <QStringList>

// Copies a station folder's three databases and its two text files into
// another folder while the station may be running. The databases are read
// in one read transaction over all three files, through SQLite's online
// backup, so the copy is what a station would see at one instant.
namespace StationBackup {

struct Result
{
    bool ok = false;
    QStringList copied; // file names, in the order they were written
    QStringList absent; // text files the station folder does not have
    QString error;      // why it failed
};

// Refuses a destination that already holds any of the files unless `overwrite`.
Result copy(const QString &stationFolder, const QString &destination, bool overwrite = false);

} // namespace StationBackup
