#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QCoreApplication;
struct Subcommand;

// The program's command line. It is read before any application object
// exists, so help, version, bad arguments and the subcommands that need no
// screen never touch a display.
class CommandLine
{
public:
    static CommandLine parse(int argc, char **argv);

    // The application object the chosen work needs: only the station window
    // opens a display.
    std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv) const;

    // Does the work; returns the exit code (2 for bad arguments, 1 for work that failed).
    int run() const;

private:
    enum class Action { Window, Command, Help, Version, WriteDocs, Error };

    Action m_action = Action::Window;
    const Subcommand *m_command = nullptr;
    QStringList m_arguments; // the subcommand's name and what follows it
    QString m_dataDir; // the docs folder for WriteDocs
    bool m_fullScreen = false;
    QString m_error;
    int m_errorCode = 2;
};
