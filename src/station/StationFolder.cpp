#include "station/StationFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace StationFolder {

QString resolve(const QString &commandLineDir)
{
    if (!commandLineDir.isEmpty())
        return QDir(commandLineDir).absolutePath();
    const QString fromEnvironment = qEnvironmentVariable("TAVRAN_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).absolutePath();
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        if (QFileInfo::exists(programDir + u"/Tavran.db"_s))
            return programDir;
    }
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             + u"/Tavran"_s;
    QDir().mkpath(dataHome);
    return dataHome;
}

} // namespace StationFolder
