#pragma once

#include <QString>

// The "Database" setting: the central server's URL, or empty for the
// station folder's own files. `--database URL` on the command line holds
// for the one run over the station key's value.
namespace DatabaseSetting {

inline const QString Name = QStringLiteral("Database");

void setOverride(const QString &url);
QString url();

} // namespace DatabaseSetting
