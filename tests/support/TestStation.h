#pragma once

#include <QString>
#include <QTemporaryDir>

// Gives a test its own home: XDG config and data folders and a station folder
// inside one temporary directory, so no test sees another's settings.
class TestStation
{
public:
    TestStation();

    QString root() const { return m_dir.path(); }
    QString configHome() const;
    QString stationDir() const;

    // Writes `bytes` to a file of the station folder.
    void writeStationFile(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};
