#include "station/Subcommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

void addHelpOption(QCommandLineParser &parser)
{
    parser.addOption({{u"h"_s, u"help"_s}, u"bu yardımı gösterir"_s});
}

QString helpText(const QCommandLineParser &parser, const QString &name)
{
    // The parser names the program by the path it was started with.
    QString help = parser.helpText();
    const QString program = QCoreApplication::arguments().value(0);
    const qsizetype at = program.isEmpty() ? -1 : help.indexOf(program);
    if (at >= 0 && at < help.indexOf(u'\n'))
        help.replace(at, program.size(), name);
    return help;
}

std::optional<int> parseSubcommandArguments(QCommandLineParser &parser, const QStringList &arguments,
                                            QTextStream &out, QTextStream &err)
{
    const QString name = arguments.value(0);
    addHelpOption(parser);
    if (!parser.parse(arguments)) {
        err << "tavran " << name << ": " << parser.errorText() << " (bkz. tavran " << name
            << " --help)" << Qt::endl;
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        out << helpText(parser, u"tavran "_s + name);
        out.flush();
        return 0;
    }
    return std::nullopt;
}
