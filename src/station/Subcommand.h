#pragma once

#include <QStringList>
#include <QStringView>
#include <QTextStream>
#include <optional>

class QCommandLineParser;

// One `tavran NAME ...` subcommand: a line of the table in Subcommands.cpp.
struct Subcommand
{
    // What the program sets up before the subcommand runs.
    enum class Needs {
        Console,  // no GUI at all
        Painting, // fonts and printers, never a screen
    };
    // How the subcommand uses the station folder.
    enum class Folder {
        Existing, // a named folder that does not exist is refused
        Creates,  // makes the folder itself
        Unused,
    };
    // `arguments` starts with the subcommand's name; returns the exit code:
    // 0 done, 1 the work failed, 2 bad arguments.
    using Run = int (*)(const QStringList &arguments, const QString &folder, QTextStream &out,
                        QTextStream &err);

    QStringView name;
    QStringView summary; // one line for `tavran --help`
    Needs needs;
    Folder folder;
    Run run;
};

// Adds -h/--help to `parser`.
void addHelpOption(QCommandLineParser &parser);
// The parser's help with its usage line starting "Usage: tavran NAME".
QString helpText(const QCommandLineParser &parser, const QString &name);

// Parses a subcommand's arguments with its own parser, adding --help.
// Returns the exit code when the subcommand must stop here: 0 after printing
// its help, 2 after a one-line error. No value: go on.
std::optional<int> parseSubcommandArguments(QCommandLineParser &parser, const QStringList &arguments,
                                            QTextStream &out, QTextStream &err);
