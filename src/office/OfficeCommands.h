#pragma once

#include <QStringList>
#include <QTextStream>

// The office's commands: products, customers, report, slip, movements.
namespace OfficeCommands {

bool handles(const QString &command);

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace OfficeCommands
