#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>

// One exchange on its own loopback connection, as a client sees it.
struct HttpReply
{
    int status = 0; // 0: no answer
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(QByteArrayView name) const; // the first of that name
    QList<QByteArray> headersNamed(QByteArrayView name) const;
};

// `tavran serve` (the real program) on a free loopback port: it prints the
// port it bound, and stops on SIGTERM.
class ServeProcess
{
public:
    ServeProcess() = default;
    ~ServeProcess();
    ServeProcess(const ServeProcess &) = delete;
    ServeProcess &operator=(const ServeProcess &) = delete;

    // Starts it with `arguments` after `serve`; false when it did not say
    // where it listens within a few seconds.
    bool start(const QStringList &arguments = {});
    quint16 port() const { return m_port; }
    qint64 pid() const { return m_process.processId(); }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    // SIGTERM, then the exit code (-1 when it crashed or hung).
    int stop();
    QByteArray errors();

    // Writes `request` as it is and reads one answer, or what came until the
    // server closed the connection or 10 seconds passed.
    HttpReply raw(const QByteArray &request) const;
    // A GET with `Connection: close` and the given extra header lines.
    HttpReply get(const QByteArray &target, const QList<QByteArray> &headerLines = {}) const;
    HttpReply postForm(const QByteArray &target, const QByteArray &body,
                       const QList<QByteArray> &headerLines = {}) const;

    static QString program();
    static HttpReply parse(const QByteArray &bytes);

private:
    QProcess m_process;
    quint16 m_port = 0;
};
