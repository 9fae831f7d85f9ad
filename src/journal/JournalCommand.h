#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran journal [--day YYYY-MM-DD | --from YYYY-MM-DD --to YYYY-MM-DD]
// [--staff NAME] [--csv FILE]`: lists the station's journal, oldest first,
// or writes it to a CSV file.
namespace JournalCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

// Who ran a command, for the journal: the system user.
QString commandUser();

} // namespace JournalCommand
