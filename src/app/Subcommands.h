#pragma once

#include "station/Subcommand.h"

#include <span>

// Every `tavran NAME ...` subcommand, in the order `tavran --help` lists them.
namespace Subcommands {

std::span<const Subcommand> all();
const Subcommand *find(QStringView name); // nullptr for an unknown name

} // namespace Subcommands
