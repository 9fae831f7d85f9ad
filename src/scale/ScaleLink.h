#pragma once

#include "scale/ScaleTextStream.h"

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>

class QTcpSocket;

// The TCP link of one scale (index 0 or 1). While switched on it keeps
// itself connected: a dropped or refused connection is tried again in the
// background after growing pauses, without telling anyone, and each complete
// reading is handed on as text.
class ScaleLink : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 FirstLocalPort = 1001;
    static constexpr std::chrono::milliseconds DefaultQuietGap = ScaleTextStream::DefaultQuietGap;
    static constexpr std::chrono::milliseconds FirstRetryPause{250};
    static constexpr std::chrono::milliseconds LongestRetryPause{4000};

    explicit ScaleLink(int scaleIndex, QObject *parent = nullptr);
    ~ScaleLink() override;

    int scaleIndex() const { return m_scaleIndex; }
    // The local port the link binds: 1001 for scale 1, 1002 for scale 2.
    quint16 localBindPort() const { return quint16(FirstLocalPort + m_scaleIndex); }

    // Closes the link, binds the local port on `ip` (ignored when `ip` is no
    // address of this machine) and connects; the link stays switched on.
    void ConnectScaleLink(const QString &ip, const QString &port);
    // Switches the link off: closed, no further tries.
    void close();

    bool isSwitchedOn() const { return m_switchedOn; }
    bool isConnected() const;
    QAbstractSocket::SocketState state() const;
    QString remoteHost() const { return m_host; }
    quint16 remotePort() const { return m_port; }
    // Local port of the current connection, 0 when there is none.
    quint16 localPort() const;

    void setQuietGap(std::chrono::milliseconds gap) { m_stream.setQuietGap(gap); }
    // Sends a request to the scale (a poll); false while not connected.
    bool write(const QByteArray &bytes);

signals:
    // The readings of one arrival as the scale sent them, without their
    // line ends, oldest first.
    void readingsReceived(const QStringList &texts);
    void connectedChanged(bool connected);

private:
    void connectNow();
    void onReadyRead();
    void onConnected();
    void onLost();
    void dropSocket();
    void setConnected(bool connected);

    const int m_scaleIndex;
    QString m_host;
    quint16 m_port = 0;
    bool m_switchedOn = false;
    bool m_connected = false;
    bool m_skipBind = false;
    QPointer<QTcpSocket> m_socket;
    ScaleTextStream m_stream;
    QTimer m_retryTimer;
    std::chrono::milliseconds m_retryPause = FirstRetryPause;
};
