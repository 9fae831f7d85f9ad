#include "ScaleSender.h"

#include <QHostAddress>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>

ScaleSender::ScaleSender(WeightSource source, Options options, QObject *parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_options(options)
{
    m_timer.setInterval(m_options.interval);
    connect(&m_timer, &QTimer::timeout, this, &ScaleSender::sendNext);
}

bool ScaleSender::listen(const QString &host, quint16 port, QString *error)
{
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress(host), port)) {
        *error = m_server->errorString();
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            // A polled scale answers each request; others do not listen.
            connect(client, &QTcpSocket::readyRead, this, [this, client] {
                answerRequests(client, {QPointer<QTcpSocket>(client)});
            });
            m_clients.append(client);
        }
    });
    return true;
}

bool ScaleSender::openSerial(const QString &device, int baudRate, QString *error)
{
    m_serial = new QSerialPort(device, this);
    m_serial->setBaudRate(baudRate);
    if (!m_serial->open(QIODevice::ReadWrite)) {
        *error = m_serial->errorString();
        return false;
    }
    connect(m_serial, &QSerialPort::readyRead, this, [this] { answerRequests(m_serial, {}); });
    return true;
}

quint16 ScaleSender::serverPort() const
{
    return m_server ? m_server->serverPort() : quint16(0);
}

void ScaleSender::start()
{
    if (!m_options.poll)
        m_timer.start();
}

void ScaleSender::answerRequests(QIODevice *device, const QList<QPointer<QTcpSocket>> &to)
{
    const QByteArray bytes = device->readAll();
    if (!m_options.poll)
        return;
    for (const char c : bytes) {
        if (c != '\r' && c != '\n') {
            m_requests.append(c);
            continue;
        }
        if (m_requests.isEmpty())
            continue;
        m_requests.clear();
        QByteArray reading = currentReading();
        if (m_options.lineEnd)
            reading += "\r\n";
        write(reading, to);
    }
}

QByteArray ScaleSender::currentReading()
{
    using State = WeightSource::State;
    if (m_options.settle.count() <= 0) {
        m_current = m_source.next();
        return WeightSource::text(*m_current, m_options.format, State::Stable, m_options.capacity);
    }
    // A weight put on the pan swings before it settles, then stays a while.
    if (!m_current || m_sinceChange.elapsed() >= (m_options.settle + m_options.stableFor).count()) {
        m_current = m_source.next();
        m_sinceChange.start();
    }
    const bool settled = m_sinceChange.elapsed() >= m_options.settle.count();
    WeightSource::Entry shown = *m_current;
    if (!settled && shown.kg)
        *shown.kg += 0.013 * ((m_wobble++ % 5) - 2);
    return WeightSource::text(shown, m_options.format, settled ? State::Stable : State::Moving,
                              m_options.capacity);
}

void ScaleSender::sendNext()
{
    QByteArray reading = currentReading();
    if (m_options.lineEnd)
        reading += "\r\n";
    m_clients.removeAll(nullptr);
    if (m_options.splitAt > 0 && m_options.splitAt < reading.size()) {
        // A station that connects between the halves gets the next whole
        // reading, not a tail: the halves go to the same clients.
        const QList<QPointer<QTcpSocket>> recipients = m_clients;
        write(reading.left(m_options.splitAt), recipients);
        QTimer::singleShot(m_options.splitDelay, this,
                           [this, recipients, rest = reading.mid(m_options.splitAt)] {
                               write(rest, recipients);
                           });
    } else {
        write(reading, m_clients);
    }
    if (m_options.count > 0 && ++m_sent >= m_options.count) {
        m_timer.stop();
        // Let a split reading's second half go out first.
        QTimer::singleShot(m_options.splitDelay * 2, this, &ScaleSender::finished);
    }
}

void ScaleSender::write(const QByteArray &bytes, const QList<QPointer<QTcpSocket>> &clients)
{
    if (m_serial) {
        m_serial->write(bytes);
        m_serial->flush();
        return;
    }
    for (const QPointer<QTcpSocket> &client : clients) {
        if (client && client->state() == QAbstractSocket::ConnectedState) {
            client->write(bytes);
            client->flush();
        }
    }
}
