#include "app/BackupCommand.h"

#include "station/Subcommand.h"
#include "data/StationBackup.h"

#include <QCommandLineParser>
#include <QDir>

using namespace Qt::StringLiterals;

namespace BackupCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(u"dest"_s, u"the folder to write the copy into (made if missing)"_s);
    parser.addOption({u"overwrite"_s, u"replace a backup already in DEST"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    if (parser.positionalArguments().size() != 1) {
        err << "usage: tavran backup [--overwrite] DEST" << Qt::endl;
        return 2;
    }
    const QString destination = QDir(parser.positionalArguments().first()).absolutePath();
    const StationBackup::Result result = StationBackup::copy(folder, destination, parser.isSet(u"overwrite"_s));
    if (!result.ok) {
        err << "backup: " << result.error << Qt::endl;
        return 1;
    }
    for (const QString &name : result.absent)
        out << name << ": not in the station folder" << Qt::endl;
    out << "Copied " << result.copied.join(u", "_s) << " to " << destination << Qt::endl;
    return 0;
}

} // namespace BackupCommand
