#include "office/OfficeArguments.h"

#include "data/DatabaseLocation.h"
#include "station/DatabaseSetting.h"
#include "station/Subcommand.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace OfficeArguments {

Parsed parse(QCommandLineParser &parser, const QStringList &arguments, int words,
             const QString &usage, const QString &description, QTextStream &out, QTextStream &err)
{
    addHelpOption(parser);
    // The command's own words are not options; the parser skips the first.
    QStringList rest = arguments.mid(words - 1);
    if (!parser.parse(rest)) {
        err << arguments.mid(0, words).join(u' ') << ": " << parser.errorText() << " (" << usage
            << ")" << Qt::endl;
        return Parsed::Bad;
    }
    if (parser.isSet(u"help"_s)) {
        // The parser's own usage line names the program by its path: ours replaces it.
        const QString help = parser.helpText();
        out << "kullanım: " << usage << "\n\n" << description << "\n\n"
            << help.mid(help.indexOf(u"\n\n"_s) + 2);
        out.flush();
        return Parsed::Help;
    }
    return Parsed::Run;
}

std::optional<int> parseOptionsOnly(QCommandLineParser &parser, const QStringList &arguments,
                                    const QString &command, const QString &usage,
                                    const QString &description, QTextStream &out, QTextStream &err)
{
    switch (parse(parser, arguments, 1, usage, description, out, err)) {
    case Parsed::Help: return Done;
    case Parsed::Bad: return BadArguments;
    case Parsed::Run: break;
    }
    if (!parser.positionalArguments().isEmpty())
        return bad(err, command, u"fazla argüman: "_s + parser.positionalArguments().first(), usage);
    return std::nullopt;
}

int bad(QTextStream &err, const QString &command, const QString &message, const QString &usage)
{
    err << command << ": " << message << " (" << usage << ")" << Qt::endl;
    return BadArguments;
}

std::optional<QDate> day(const QString &text)
{
    static const QRegularExpression form(u"^[0-9]{4}-[0-9]{2}-[0-9]{2}$"_s);
    const QDate date = QDate::fromString(text, u"yyyy-MM-dd"_s);
    if (!form.match(text).hasMatch() || !date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> month(const QString &text)
{
    static const QRegularExpression form(u"^[0-9]{4}-[0-9]{2}$"_s);
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return day(text + u"-01"_s);
}

std::optional<DayRange> dayRange(const QCommandLineParser &parser, const QString &command,
                                 const QString &usage, QTextStream &err)
{
    if (!parser.isSet(u"from"_s) || !parser.isSet(u"to"_s)) {
        bad(err, command, u"--from ve --to gerekli"_s, usage);
        return std::nullopt;
    }
    const auto from = day(parser.value(u"from"_s));
    const auto to = day(parser.value(u"to"_s));
    if (!from || !to) {
        bad(err, command, u"geçersiz tarih: "_s + parser.value(from ? u"to"_s : u"from"_s), usage);
        return std::nullopt;
    }
    if (*from > *to) {
        bad(err, command, u"--from, --to'dan sonra"_s, usage);
        return std::nullopt;
    }
    return DayRange{*from, *to};
}

std::optional<std::unique_ptr<StationDatabase>> openServer(Schema::File file, const QString &command,
                                                           QTextStream &err)
{
    if (file == Schema::File::Tavran)
        return std::nullopt; // the order and the journal stay with each station
    QString error;
    const QString url = DatabaseSetting::url(&error);
    const auto location = error.isEmpty() ? DatabaseLocation::parse(url, &error) : std::nullopt;
    if (!location) {
        err << command << ": " << error << Qt::endl;
        return std::unique_ptr<StationDatabase>();
    }
    if (!location->central)
        return std::nullopt;
    auto server = std::make_unique<StationDatabase>(*location);
    if (!server->isOpen()) {
        err << command << ": " << server->openError() << Qt::endl;
        return std::unique_ptr<StationDatabase>();
    }
    return server;
}

std::unique_ptr<StationDatabase> openExisting(const QString &folder, Schema::File file,
                                              const QString &command, QTextStream &err)
{
    if (auto server = openServer(file, command, err))
        return std::move(*server);
    const QString path = QDir(folder).filePath(Schema::fileName(file));
    if (!QFile::exists(path)) {
        err << command << ": " << path << " yok" << Qt::endl;
        return nullptr;
    }
    auto database = std::make_unique<StationDatabase>(path, file);
    if (!database->isOpen()) {
        err << command << ": " << database->openError() << Qt::endl;
        return nullptr;
    }
    return database;
}

} // namespace OfficeArguments
