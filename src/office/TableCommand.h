#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran products|customers import FILE [--dry-run] [--encoding windows-1254]`
// `tavran products|customers export [FILE]`
namespace TableCommand {

bool handles(const QString &command); // "products" or "customers"

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace TableCommand
