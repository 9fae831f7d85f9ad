#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran check`: SQLite's integrity check on the three databases, one line
// per file; exit code 1 when any of them is damaged or missing.
namespace CheckCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace CheckCommand
