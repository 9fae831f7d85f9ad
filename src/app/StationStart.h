#pragma once

#include <QString>

// Opens the station window on `folder` and runs it until it closes. One
// window per folder: a second one on a folder in use is refused (exit code 1).
namespace StationStart {

int run(const QString &folder, bool fullScreen);

} // namespace StationStart
