#include "station/StationTextFiles.h"

#include "station/SequentialInput.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace StationTextFiles {

std::array<QString, 8> readHeaderLines(const QString &folder)
{
    std::array<QString, 8> lines;
    const QStringList fields = SequentialInput::readFile(QDir(folder).filePath(u"Tavran.Txt"_s));
    for (qsizetype i = 0; i < qsizetype(lines.size()) && i < fields.size(); ++i)
        lines[i] = fields[i];
    return lines;
}

QStringList readStaff(const QString &folder)
{
    // A stray comma or blank line is no one: an empty name would be a member
    // whose password is kept under no name at all.
    QStringList names = SequentialInput::readFile(QDir(folder).filePath(u"Personel.Txt"_s));
    names.removeIf([](const QString &name) { return name.trimmed().isEmpty(); });
    return names;
}

} // namespace StationTextFiles
