#include "office/OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace OutputFile {

bool write(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *reason = u"%1 yazılamadı: %2"_s.arg(path, file.errorString());
        return false;
    }
    return true;
}

Staged::Staged(QString target)
    : m_target(std::move(target))
    , m_temp(m_target + u".XXXXXX"_s)
{
    if (!m_temp.open()) {
        m_problem = u"%1 yazılamadı: %2"_s.arg(m_target, m_temp.errorString());
        return;
    }
    m_tempPath = m_temp.fileName();
    m_temp.close();
}

bool Staged::commit(QString *reason)
{
    if (m_tempPath.isEmpty()) {
        *reason = m_problem;
        return false;
    }
    // A temporary file is private to its owner; the document is not.
    const QFileInfo existing(m_target);
    QFile::setPermissions(m_tempPath,
                          existing.exists() ? existing.permissions()
                                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                                  | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces the target in one step; QFile::rename would not.
    if (std::rename(QFile::encodeName(m_tempPath).constData(), QFile::encodeName(m_target).constData())
        != 0) {
        *reason = u"%1 yazılamadı"_s.arg(m_target);
        return false;
    }
    m_temp.setAutoRemove(false);
    return true;
}

} // namespace OutputFile
