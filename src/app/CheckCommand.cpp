#include "app/CheckCommand.h"

#include "station/Subcommand.h"
#include "data/StationCheck.h"

#include <QCommandLineParser>

namespace CheckCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    if (!parser.positionalArguments().isEmpty()) {
        err << "kullanım: tavran check" << Qt::endl;
        return 2;
    }
    bool sound = true;
    for (const StationCheck::Finding &finding : StationCheck::run(folder)) {
        out << finding.file << ": " << finding.summary << Qt::endl;
        sound = sound && finding.sound;
    }
    return sound ? 0 : 1;
}

} // namespace CheckCommand
