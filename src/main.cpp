#include "app/Form1.h"
#include "app/StationCommands.h"
#include "app/StationLocale.h"
#include "station/StationFolder.h"
#include "labels/LabelCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFont>
#include <QStyleFactory>
#include <QTextStream>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Options
{
    QString dataDir;
    QStringList command; // the subcommand and its arguments
    bool fullScreen = false;
};

Options parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Weighing, package label and order slip station."_s);
    parser.addHelpOption();
    parser.addOption({u"data-dir"_s, u"the station folder (databases and text files)"_s, u"dir"_s});
    parser.addOption({u"full-screen"_s, u"fill the screen (touch screen stations)"_s});
    parser.addPositionalArgument(u"command"_s,
                                 u"init-demo [DIR] | config get|set|list [--app] NAME [VALUE] | "
                                 u"label --product NAME --weight KG [--year] [--printer NAME | --pdf FILE] | "
                                 u"label --reprint ID | staff reset NAME | "
                                 u"journal [--day D | --from D --to D] [--staff NAME] [--csv FILE]"_s);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.process(app);
    return {parser.value(u"data-dir"_s), parser.positionalArguments(), parser.isSet(u"full-screen"_s)};
}

} // namespace

int main(int argc, char *argv[])
{
    // Subcommands that need no screen run without a GUI application.
    bool needsScreen = true;
    for (int i = 1; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == u"--data-dir"_s) {
            ++i;
            continue;
        }
        if (!word.startsWith(u'-')) {
            needsScreen = !StationCommands::handles(word);
            break;
        }
    }

    // Printing a label from a shell needs fonts and printers, not a screen.
    if (!needsScreen || (qEnvironmentVariableIsEmpty("DISPLAY")
                         && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                         && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))) {
        for (int i = 1; i < argc; ++i) {
            if (QString::fromLocal8Bit(argv[i]) == u"label"_s)
                qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    std::unique_ptr<QCoreApplication> app;
    if (needsScreen)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(u"Tavran"_s);
    QCoreApplication::setApplicationName(u"Tavran"_s);
    StationLocale::apply(*app);

    const Options options = parseOptions(*app);
    const QString folder = StationFolder::resolve(options.dataDir);
    QTextStream out(stdout);
    QTextStream err(stderr);

    if (!options.command.isEmpty() && options.command.first() == u"label"_s)
        return LabelCommand::run(options.command, folder, out, err);
    if (!options.command.isEmpty()) {
        if (!StationCommands::handles(options.command.first())) {
            err << "unknown command " << options.command.first() << Qt::endl;
            return 2;
        }
        return StationCommands::run(options.command, folder, out, err);
    }

    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    QApplication::setApplicationDisplayName(u"Tavran"_s);
    QApplication::setFont(QFont(u"Liberation Sans"_s, 11));
    Form1 window(folder);
    if (options.fullScreen)
        window.showFullScreen();
    else
        window.show();
    return app->exec();
}
