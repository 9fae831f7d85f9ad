#pragma once

#include "WeightSource.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>

class QIODevice;
class QSerialPort;
class QTcpServer;
class QTcpSocket;

// Sends readings the way a scale does, every interval, to every connected
// TCP client or to a serial device.
class ScaleSender : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        std::chrono::milliseconds interval{200};
        int splitAt = 0; // bytes of the first send; 0 sends each reading whole
        std::chrono::milliseconds splitDelay{30};
        bool lineEnd = true;
        int count = 0; // readings to send before quitting; 0 for ever
        WeightSource::Format format = WeightSource::Format::Classic;
        // Each weight is sent moving for this long before it settles; it
        // stays settled for `stableFor` before the next weight comes.
        std::chrono::milliseconds settle{0};
        std::chrono::milliseconds stableFor{2000};
        double capacity = 0.0; // above it a weight is out of range; 0: none
        bool poll = false;     // answer each request line instead of sending on a timer
    };

    ScaleSender(WeightSource source, Options options, QObject *parent = nullptr);

    bool listen(const QString &host, quint16 port, QString *error);
    bool openSerial(const QString &device, int baudRate, QString *error);
    void start();
    // The listening port (useful with port 0, which picks a free one).
    quint16 serverPort() const;

signals:
    void finished();

private:
    void sendNext();
    // The text of the reading due now.
    QByteArray currentReading();
    void answerRequests(QIODevice *device, const QList<QPointer<QTcpSocket>> &to);
    void write(const QByteArray &bytes, const QList<QPointer<QTcpSocket>> &clients);

    WeightSource m_source;
    Options m_options;
    QTcpServer *m_server = nullptr;
    QList<QPointer<QTcpSocket>> m_clients;
    QSerialPort *m_serial = nullptr;
    QTimer m_timer;
    int m_sent = 0;
    std::optional<WeightSource::Entry> m_current;
    QElapsedTimer m_sinceChange;
    int m_wobble = 0;
    QByteArray m_requests; // request text not yet ended by a line end
};
