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
    return SequentialInput::readFile(QDir(folder).filePath(u"Personel.Txt"_s));
}

} // namespace StationTextFiles
