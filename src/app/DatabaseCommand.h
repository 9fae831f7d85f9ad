#pragma once

#include <QStringList>
#include <QTextStream>

// tavran db init | db copy --from DIR [--append]: sets up the central
// server named by the Database setting and moves a station folder onto it.
namespace DatabaseCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace DatabaseCommand
