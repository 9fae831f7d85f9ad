#pragma once

#include <QStringList>
#include <QTextStream>

// The station's own maintenance subcommands (see Subcommands.cpp).
namespace StationCommands {

// init-demo [DIR] [--customers N] [--products N]
int initDemo(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

// config get|set|list [--app] [NAME] [VALUE]
int config(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace StationCommands
