#include "support/ServeProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>

#include <csignal>

using namespace Qt::StringLiterals;

QByteArray HttpReply::header(QByteArrayView name) const
{
    const QList<QByteArray> all = headersNamed(name);
    return all.isEmpty() ? QByteArray() : all.first();
}

QList<QByteArray> HttpReply::headersNamed(QByteArrayView name) const
{
    QList<QByteArray> found;
    for (const auto &field : headers) {
        if (QByteArrayView(field.first).compare(name, Qt::CaseInsensitive) == 0)
            found << field.second;
    }
    return found;
}

ServeProcess::~ServeProcess()
{
    if (isRunning())
        stop();
}

QString ServeProcess::program()
{
    return QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s;
}

bool ServeProcess::start(const QStringList &arguments)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(program(), QStringList{u"serve"_s, u"--listen"_s, u"127.0.0.1:0"_s} + arguments);
    static const QRegularExpression listening(u"Dinleniyor: http://127\\.0\\.0\\.1:([0-9]+)/"_s);
    QByteArray said;
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(200);
        said += m_process.readAllStandardOutput();
        if (const auto match = listening.match(QString::fromUtf8(said)); match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    return false;
}

int ServeProcess::stop()
{
    ::kill(pid_t(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(15000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray ServeProcess::errors()
{
    return m_process.readAllStandardError();
}

HttpReply ServeProcess::raw(const QByteArray &request) const
{
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, m_port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(request);
    QByteArray bytes;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (!socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1))))
            break; // closed or out of time
        bytes += socket.readAll();
        // A whole answer on a connection kept open is the end too.
        const qsizetype end = bytes.indexOf("\r\n\r\n");
        if (end >= 0 && bytes.size() >= end + 4 + parse(bytes.first(end + 4)).header("Content-Length").toLongLong())
            break;
    }
    bytes += socket.readAll();
    return parse(bytes);
}

HttpReply ServeProcess::get(const QByteArray &target, const QList<QByteArray> &headerLines) const
{
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    for (const QByteArray &line : headerLines)
        request += line + "\r\n";
    return raw(request + "\r\n");
}

HttpReply ServeProcess::postForm(const QByteArray &target, const QByteArray &body,
                                 const QList<QByteArray> &headerLines) const
{
    QByteArray request = "POST " + target
                         + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
                         + QByteArray::number(body.size()) + "\r\n";
    for (const QByteArray &line : headerLines)
        request += line + "\r\n";
    return raw(request + "\r\n" + body);
}

HttpReply ServeProcess::parse(const QByteArray &bytes)
{
    HttpReply reply;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return reply;
    const QList<QByteArray> lines = bytes.first(end).split('\n');
    const QList<QByteArray> statusLine = lines.first().split(' ');
    reply.status = statusLine.size() > 1 ? statusLine[1].toInt() : 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            reply.headers.append({lines[i].first(colon).trimmed(), lines[i].sliced(colon + 1).trimmed()});
    }
    reply.body = bytes.sliced(end + 4);
    return reply;
}
