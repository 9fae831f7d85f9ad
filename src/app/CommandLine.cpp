#include "app/CommandLine.h"

#include "station/DatabaseSetting.h"
#include "station/StationFolder.h"
#include "app/HelpDocs.h"
#include "app/StationStart.h"
#include "app/Subcommands.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString DataDirOption = u"data-dir"_s;
const QString FullScreenOption = u"full-screen"_s;
const QString DatabaseOption = u"database"_s;
const QString WriteDocsOption = u"write-docs"_s;

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(u"Tartım, paket etiketi ve sipariş fişi istasyonu. "
                                     u"Komutsuz çalıştırılınca istasyon penceresini açar."_s);
    addHelpOption(parser);
    parser.addOption({{u"v"_s, u"version"_s}, u"sürümü gösterir"_s});
    parser.addOption({DataDirOption, u"istasyon klasörü (veritabanları ve metin dosyaları)"_s, u"klasör"_s});
    parser.addOption({FullScreenOption, u"ekranı kaplar (dokunmatik ekranlı istasyonlar)"_s});
    parser.addOption({DatabaseOption,
                      u"tesisin merkez sunucusu, postgresql://KULLANICI@SUNUCU:PORT/VERITABANI "
                      u"(bu çalıştırma için Database ayarı yerine)"_s,
                      u"url"_s});
    // The build writes the man pages and the shell completion with it.
    QCommandLineOption writeDocs(WriteDocsOption, u"kılavuz sayfalarını ve bash tamamlamasını yazar"_s,
                                 u"dir"_s);
    writeDocs.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(writeDocs);
    parser.addPositionalArgument(u"komut"_s, u"aşağıdaki komutlardan biri; "
                                             u"seçenekleri için tavran KOMUT --help"_s,
                                 u"[komut [seçenekler]]"_s);
    // Whatever follows the command belongs to it.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QString mainHelpText()
{
    QCommandLineParser parser;
    describeOptions(parser);
    QString help = helpText(parser, u"tavran"_s) + u"\nKomutlar:\n"_s;
    for (const Subcommand &command : Subcommands::all())
        help += u"  "_s + command.name.toString().leftJustified(12) + command.summary.toString()
                + u'\n';
    return help;
}

QString parseError(const QStringList &words)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(words);
    return parser.errorText();
}

} // namespace

CommandLine CommandLine::parse(int argc, char **argv)
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);

    CommandLine line;
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(words)) {
        // Worded in run(), once Qt's Turkish texts are loaded.
        line.m_action = Action::Error;
        line.m_arguments = words;
        return line;
    }
    if (parser.isSet(u"help"_s)) {
        line.m_action = Action::Help;
        return line;
    }
    if (parser.isSet(u"version"_s)) {
        line.m_action = Action::Version;
        return line;
    }
    if (parser.isSet(WriteDocsOption)) {
        line.m_action = Action::WriteDocs;
        line.m_dataDir = parser.value(WriteDocsOption);
        return line;
    }
    line.m_dataDir = parser.value(DataDirOption);
    line.m_fullScreen = parser.isSet(FullScreenOption);
    if (parser.isSet(DatabaseOption))
        DatabaseSetting::setOverride(parser.value(DatabaseOption));
    line.m_arguments = parser.positionalArguments();
    if (line.m_arguments.isEmpty()) {
        if (!hasDisplay()) {
            line.m_action = Action::Error;
            line.m_error = u"istasyon penceresi için ekran yok (DISPLAY tanımlı değil)"_s;
            line.m_errorCode = 1;
        }
        return line;
    }
    line.m_command = Subcommands::find(line.m_arguments.first());
    if (!line.m_command) {
        line.m_action = Action::Error;
        line.m_error = u"bilinmeyen komut \"%1\""_s.arg(line.m_arguments.first());
        return line;
    }
    line.m_action = Action::Command;
    return line;
}

std::unique_ptr<QCoreApplication> CommandLine::makeApplication(int &argc, char **argv) const
{
    std::unique_ptr<QCoreApplication> app;
    if (m_action == Action::Window) {
        app = std::make_unique<QApplication>(argc, argv);
    } else if (m_action == Action::Command && m_command->needs == Subcommand::Needs::Painting) {
        // Fonts and printers, never a screen: a label prints over ssh too.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(u"Tavran"_s);
    QCoreApplication::setApplicationName(u"Tavran"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRAN_VERSION));
    return app;
}

int CommandLine::run() const
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (m_action) {
    case Action::Error:
        err << "tavran: " << (m_error.isEmpty() ? parseError(m_arguments) : m_error);
        if (m_errorCode == 2)
            err << " (bkz. tavran --help)";
        err << Qt::endl;
        return m_errorCode;
    case Action::Help:
        out << mainHelpText();
        out.flush();
        return 0;
    case Action::Version:
        out << "tavran " << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    case Action::WriteDocs:
        return HelpDocs::write(m_dataDir, mainHelpText(), err);
    case Action::Command:
    case Action::Window:
        break;
    }

    // The window and most commands work in a folder that is there already:
    // a mistyped name must not become a new, empty station.
    const bool needsFolder = !m_command || m_command->folder == Subcommand::Folder::Existing;
    const StationFolder::Location folder = StationFolder::locate(m_dataDir);
    if (folder.named && needsFolder && !QFileInfo(folder.path).isDir()) {
        err << "tavran: istasyon klasörü yok: " << folder.path << Qt::endl;
        return 1;
    }
    if (m_command)
        return m_command->run(m_arguments, folder.path, out, err);
    return StationStart::run(folder.path, m_fullScreen);
}
