#include "support/InterruptedWrite.h"

using namespace Qt::StringLiterals;

bool InterruptedWrite::start(const QString &file)
{
    m_shell.start(u"sqlite3"_s, {file});
    if (!m_shell.waitForStarted())
        return false;
    // A tiny cache makes the pages spill into the file before any commit.
    m_shell.write("PRAGMA cache_size=2; BEGIN; CREATE TABLE pad(x);\n"
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100) "
                  "INSERT INTO pad SELECT randomblob(2000) FROM n;\n.print ready\n");
    return m_shell.waitForReadyRead(10000) && m_shell.readAll().contains("ready");
}

bool InterruptedWrite::kill()
{
    m_shell.kill();
    return m_shell.waitForFinished();
}

InterruptedWrite::~InterruptedWrite()
{
    if (m_shell.state() != QProcess::NotRunning)
        kill();
}
