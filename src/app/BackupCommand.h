#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran backup DEST`: a consistent copy of the station folder's databases
// and text files, taken while the station may be running.
namespace BackupCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace BackupCommand
