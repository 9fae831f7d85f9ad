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
    parser.addPositionalArgument(u"hedef"_s, u"kopyanın yazılacağı klasör (yoksa oluşturulur)"_s);
    parser.addOption({u"overwrite"_s, u"HEDEF'teki eski yedeğin yerine yazar"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    if (parser.positionalArguments().size() != 1) {
        err << "kullanım: tavran backup [--overwrite] HEDEF" << Qt::endl;
        return 2;
    }
    const QString destination = QDir(parser.positionalArguments().first()).absolutePath();
    const StationBackup::Result result = StationBackup::copy(folder, destination, parser.isSet(u"overwrite"_s));
    if (!result.ok) {
        err << "backup: " << result.error << Qt::endl;
        return 1;
    }
    for (const QString &name : result.absent)
        out << name << ": istasyon klasöründe yok" << Qt::endl;
    out << destination << " klasörüne kopyalandı: " << result.copied.join(u", "_s) << Qt::endl;
    return 0;
}

} // namespace BackupCommand
