#pragma once

#include <QString>
#include <QStringList>

// The names `config set` accepts without being told the name is new: the
// station key values the station itself reads or writes. Anything else is
// most likely a mistyped setting or staff name.
namespace SettingNames {

const QStringList &known();
bool isKnown(const QString &name);

// Up to three of `candidates` nearest to `name` (edits between their Turkish
// folds, so "ahmet yilmaz" finds "Ahmet Yılmaz"), nearest first; only those
// near enough to be what was meant.
QStringList nearest(const QString &name, const QStringList &candidates);

} // namespace SettingNames
