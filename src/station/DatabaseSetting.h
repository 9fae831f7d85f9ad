#pragma once

#include <QString>

// The "Database" setting: the central server's URL, or empty for the
// station folder's own files. `--database URL` on the command line holds
// for the one run over the station key's value.
namespace DatabaseSetting {

inline const QString Name = QStringLiteral("Database");

void setOverride(const QString &url);
// Empty with `problem` set when the station key holds the setting but cannot
// be read: a run must not fall back to the station folder's files then.
QString url(QString *problem = nullptr);

} // namespace DatabaseSetting
