#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran label --product NAME --weight KG [--year] [--printer NAME | --pdf FILE]`:
// prints a product's package label outside the screens, for a reprint.
// Without --printer or --pdf it goes to the printer remembered for labels.
namespace LabelCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace LabelCommand
