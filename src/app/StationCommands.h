#pragma once

#include <QStringList>
#include <QTextStream>

// The station's command-line subcommands that need no screen:
//   init-demo [DIR] [--customers N] [--products N]
//   config get|set|list [--app] [NAME] [VALUE]
//   staff reset NAME
//   journal [--day D | --from D --to D] [--staff NAME] [--csv FILE]
namespace StationCommands {

// Whether `name` is one of these subcommands.
bool handles(const QString &name);

// Runs `arguments` (the subcommand and what follows it) on the station
// folder `folder`; returns the process exit code.
int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace StationCommands
