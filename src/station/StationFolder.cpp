#include "station/StationFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace StationFolder {

Location locate(const QString &commandLineDir)
{
    if (!commandLineDir.isEmpty())
        return {QDir(commandLineDir).absolutePath(), true};
    const QString fromEnvironment = qEnvironmentVariable("TAVRAN_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return {QDir(fromEnvironment).absolutePath(), true};
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        if (QFileInfo::exists(programDir + u"/Tavran.db"_s))
            return {programDir, false};
    }
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             + u"/Tavran"_s;
    QDir().mkpath(dataHome);
    return {dataHome, false};
}

QString resolve(const QString &commandLineDir)
{
    return locate(commandLineDir).path;
}

} // namespace StationFolder
