#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran label --product NAME --weight KG [--year] [--printer NAME | --pdf FILE]`:
// prints a product's package label outside the screens.
// `tavran label --reprint ID ...` prints the label of journal entry ID again,
// with the dates and weight it was first printed with.
// Without --printer or --pdf it goes to the printer remembered for labels;
// every label printed or abandoned here is journalled.
namespace LabelCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace LabelCommand
