#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;
class QTimer;
class QWidget;

// Lets an outside driver work the window the way an operator does, for long
// unattended runs under failures. Active only when TAVRAN_DRIVE_SOCKET names a
// local socket path; otherwise it does nothing at all. One request a line, one
// answer a line (UTF-8): "ping", "tap NAME", "pick LIST TEXT", "text NAME",
// "state NAME", "entries LIST", "modal", "dismiss", "notices".
class DriveHook : public QObject
{
public:
    explicit DriveHook(QWidget &window);

private:
    void accept();
    void serve(QLocalSocket *client);
    QByteArray answer(const QString &request);
    QWidget *find(const QString &name) const;
    void watchNotices();

    QWidget &m_window;
    QLocalServer *m_server = nullptr;
    QTimer *m_watch = nullptr;
    QStringList m_notices; // red strip texts seen since the last "notices"
    QString m_lastNotice;
};
