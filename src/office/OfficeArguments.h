#pragma once

#include "data/StationDatabase.h"

#include <QCommandLineParser>
#include <QDate>
#include <QTextStream>
#include <memory>
#include <optional>

// What the office commands share on the command line: --help, one-line
// errors and the exit codes.
namespace OfficeArguments {

constexpr int Done = 0;
constexpr int Failed = 1;       // the work failed: a printer, a file, the data
constexpr int BadArguments = 2; // nothing was tried

enum class Parsed { Run, Help, Bad };

// Adds --help, parses `arguments` (the command's words first, `words` of
// them) and answers --help with `usage`, `description` and the options.
// A bad option is reported on `err` in one line.
Parsed parse(QCommandLineParser &parser, const QStringList &arguments, int words,
             const QString &usage, const QString &description, QTextStream &out, QTextStream &err);

// parse() for a command that takes options and no other word: an exit code
// when the run ends here (--help, a bad option, a word left over), none when
// the command goes on.
std::optional<int> parseOptionsOnly(QCommandLineParser &parser, const QStringList &arguments,
                                    const QString &command, const QString &usage,
                                    const QString &description, QTextStream &out, QTextStream &err);

// Reports a bad argument in one line with the usage; returns BadArguments.
int bad(QTextStream &err, const QString &command, const QString &message, const QString &usage);

// "2026-12-07" (a real day); "2026-12" gives its first day.
std::optional<QDate> day(const QString &text);
std::optional<QDate> month(const QString &text);

// --from and --to, both required, real days and in order; no value, reported
// on `err` with `usage`, when not.
struct DayRange
{
    QDate from;
    QDate to;
};
std::optional<DayRange> dayRange(const QCommandLineParser &parser, const QString &command,
                                 const QString &usage, QTextStream &err);

// The central server for the shared tables (accounts, products, movements)
// when the Database setting names one: no value when it does not; null,
// reported on `err`, when it cannot be reached.
std::optional<std::unique_ptr<StationDatabase>> openServer(Schema::File file, const QString &command,
                                                           QTextStream &err);

// Opens a database file of the station folder that must be there already,
// or the central server for the shared tables; null, reported on `err`,
// when it is missing or cannot be opened.
std::unique_ptr<StationDatabase> openExisting(const QString &folder, Schema::File file,
                                              const QString &command, QTextStream &err);

} // namespace OfficeArguments
