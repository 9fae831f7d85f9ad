#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran slip [--pdf FILE | --printer NAME] [--customer NAME] [--staff NAME]`:
// the order now in Tart on a slip again, as the slip button prints it, after
// a paper jam. Books nothing, writes nothing into the databases.
namespace SlipCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace SlipCommand
