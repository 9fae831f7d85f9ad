#pragma once

#include <QString>
#include <QTextStream>

// The man pages (tavran.1, tavran-NAME.1 for each subcommand) and the bash
// completion (tavran.bash-completion) written into a folder at build time,
// from the same help the program prints, so they never drift from it.
namespace HelpDocs {

// `mainHelp` is what `tavran --help` prints; returns the exit code.
int write(const QString &folder, const QString &mainHelp, QTextStream &err);

} // namespace HelpDocs
