#include "support/TestStation.h"

#include <QDir>
#include <QFile>
#include <QSettings>

using namespace Qt::StringLiterals;

TestStation::TestStation()
{
    QDir(m_dir.path()).mkpath(u"config"_s);
    QDir(m_dir.path()).mkpath(u"data"_s);
    QDir(m_dir.path()).mkpath(u"station"_s);
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    qputenv("XDG_DATA_HOME", (m_dir.path() + u"/data"_s).toUtf8());
    qputenv("TAVRAN_DATA_DIR", stationDir().toUtf8());
    // QSettings finds its folder once per process; point it here again.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome());
}

QString TestStation::configHome() const
{
    return m_dir.path() + u"/config"_s;
}

QString TestStation::stationDir() const
{
    return m_dir.path() + u"/station"_s;
}

void TestStation::writeStationFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(stationDir() + u'/' + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}
