#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran movements --from YYYY-MM-DD --to YYYY-MM-DD [--sale | --purchase] [--csv FILE]`
namespace MovementsCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace MovementsCommand
