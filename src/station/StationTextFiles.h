#pragma once

#include <QStringList>
#include <array>

// The station folder's text files: the header lines of Tavran.Txt (the first
// eight fields; more are dropped) and the staff of Personel.Txt (empty names
// dropped).
namespace StationTextFiles {

std::array<QString, 8> readHeaderLines(const QString &folder);
QStringList readStaff(const QString &folder);

} // namespace StationTextFiles
