#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// `tavran serve`: the plant's read-only web pages until SIGTERM or SIGINT.
namespace ServeCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace ServeCommand
