#include "scale/ScaleLink.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <algorithm>

using namespace std::chrono_literals;

Q_LOGGING_CATEGORY(lcScale, "tavran.scale")

namespace {
// Plenty for readings; a flood waits in the kernel instead of in memory.
constexpr qint64 ReadBufferSize = 64 * 1024;
} // namespace

ScaleLink::ScaleLink(int scaleIndex, QObject *parent)
    : QObject(parent)
    , m_scaleIndex(scaleIndex)
{
    connect(&m_stream, &ScaleTextStream::readingsReceived, this, &ScaleLink::readingsReceived);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &ScaleLink::connectNow);
}

ScaleLink::~ScaleLink()
{
    m_connected = false; // nothing is announced while going away
    dropSocket();
}

void ScaleLink::ConnectScaleLink(const QString &ip, const QString &port)
{
    close();
    m_host = ip;
    bool ok = false;
    const int number = port.trimmed().toInt(&ok);
    if (ok && number > 0 && number <= 65535) {
        m_port = quint16(number);
    } else {
        // The old port stays, as with any value the link refuses.
        qCWarning(lcScale) << "scale" << m_scaleIndex + 1 << "port not usable:" << port;
    }
    m_switchedOn = true;
    m_retryPause = FirstRetryPause;
    connectNow();
}

void ScaleLink::close()
{
    m_switchedOn = false;
    m_retryTimer.stop();
    dropSocket();
}

bool ScaleLink::isConnected() const
{
    return state() == QAbstractSocket::ConnectedState;
}

QAbstractSocket::SocketState ScaleLink::state() const
{
    return m_socket ? m_socket->state() : QAbstractSocket::UnconnectedState;
}

quint16 ScaleLink::localPort() const
{
    return isConnected() ? m_socket->localPort() : quint16(0);
}

void ScaleLink::connectNow()
{
    dropSocket();
    if (!m_switchedOn || m_port == 0)
        return;

    // A fresh socket per try: a failed bind or connect leaves nothing behind.
    auto *socket = new QTcpSocket(this);
    m_socket = socket;
    socket->setReadBufferSize(ReadBufferSize);
    connect(socket, &QTcpSocket::readyRead, this, &ScaleLink::onReadyRead);
    connect(socket, &QTcpSocket::connected, this, &ScaleLink::onConnected);
    // Only the state tells a lost or refused connection: a failed bind
    // reports an error too, later, while the connect goes on.
    connect(socket, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState)
            onLost();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        qCDebug(lcScale) << "scale" << m_scaleIndex + 1 << "link error" << error;
        // The local port is still held by the last connection to this scale
        // (TIME_WAIT): the next try takes a port the system picks.
        if (error == QAbstractSocket::AddressInUseError
            || error == QAbstractSocket::SocketAddressNotAvailableError)
            m_skipBind = true;
    });

    const QHostAddress local(m_host);
    const bool bound = !m_skipBind && !local.isNull()
        && socket->bind(local, localBindPort(), QAbstractSocket::ReuseAddressHint);
    m_skipBind = false;
    if (!bound)
        qCDebug(lcScale) << "scale" << m_scaleIndex + 1 << "connects from a system port";
    socket->connectToHost(m_host, m_port);
}

void ScaleLink::onReadyRead()
{
    if (!m_socket)
        return;
    // Always take the data off the link, whether anyone uses it or not.
    m_stream.feed(m_socket->readAll());
}

bool ScaleLink::write(const QByteArray &bytes)
{
    if (!isConnected())
        return false;
    return m_socket->write(bytes) == bytes.size();
}

void ScaleLink::onConnected()
{
    m_retryPause = FirstRetryPause;
    m_stream.reset();
    qCDebug(lcScale) << "scale" << m_scaleIndex + 1 << "connected from port" << localPort();
    setConnected(true);
}

void ScaleLink::onLost()
{
    // Text the scale left half sent is no weight once it is gone.
    m_stream.reset();
    setConnected(false);
    if (!m_switchedOn || m_retryTimer.isActive())
        return;
    m_retryTimer.start(m_retryPause);
    m_retryPause = std::min(m_retryPause * 2, LongestRetryPause);
}

void ScaleLink::dropSocket()
{
    m_stream.reset();
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    setConnected(false);
}

void ScaleLink::setConnected(bool connected)
{
    if (m_connected == connected)
        return;
    m_connected = connected;
    emit connectedChanged(connected);
}
