#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran report --day YYYY-MM-DD | --month YYYY-MM [--purchase]
//  [--csv FILE | --pdf FILE | --printer NAME]`: the report screen's totals
// and printed summary from a shell.
namespace ReportCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace ReportCommand
