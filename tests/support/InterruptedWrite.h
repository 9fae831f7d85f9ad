#pragma once

#include <QProcess>
#include <QString>

// Another program (the sqlite3 shell) in the middle of a write to a SQLite
// file, far enough that it has written into the file itself: while it runs
// it holds the file locked; killed, it leaves its journal behind.
class InterruptedWrite
{
public:
    // Starts the write; false when the shell did not get that far.
    bool start(const QString &file);
    // Kills the writer, as a crash or a power cut would.
    bool kill();
    ~InterruptedWrite();

private:
    QProcess m_shell;
};
