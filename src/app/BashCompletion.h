#pragma once

#include <QList>
#include <QString>
#include <utility>

struct HelpPage;

// The bash completion script of a program with subcommands, written from the
// help of the program and of each subcommand.
namespace BashCompletion {

using Command = std::pair<QString, HelpPage>; // name and its help

QString render(const QString &program, const HelpPage &main, const QList<Command> &commands);

} // namespace BashCompletion
