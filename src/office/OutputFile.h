#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

// Output files appear whole or not at all: they are written under a
// temporary name beside the target and renamed over it at the end.
namespace OutputFile {

// False, with a Turkish reason, when the file cannot be written.
bool write(const QString &path, const QByteArray &bytes, QString *reason);

// For writers that want a file name (the PDF printer): write to tempPath(),
// then commit(). A file never committed is removed.
class Staged
{
public:
    explicit Staged(QString target);
    Staged(const Staged &) = delete;
    Staged &operator=(const Staged &) = delete;

    // Empty when no temporary file can be made beside the target.
    QString tempPath() const { return m_tempPath; }
    QString problem() const { return m_problem; }
    bool commit(QString *reason);

private:
    QString m_target;
    QTemporaryFile m_temp;
    QString m_tempPath;
    QString m_problem;
};

} // namespace OutputFile
