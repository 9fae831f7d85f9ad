#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran trace --lot LOT | --package BARCODE | --customer NAME --from DATE
//  --to DATE [--csv FILE]`: where a lot's packages went, which packages a
// label names, which lots a customer received.
namespace TraceCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace TraceCommand
