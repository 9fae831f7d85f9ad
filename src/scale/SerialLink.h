#pragma once

#include "scale/SerialSettings.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

// The serial scale link. Port number n opens the device named in the
// application setting "CommDevice<n>", else /dev/ttyS<n-1>, so a USB adapter
// or a pty can stand in for a COM port. A device that fails is closed at once;
// a read error is answered by one reopen, and what cannot be mended is
// reported through failed() with the port's own error text.
class SerialLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxPort = 255;

    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    static QString deviceForPort(int commPort);

    // Setters refuse a value with the reason in errorString(), keeping the old one.
    int commPort() const { return m_commPort; }
    bool setCommPort(int port);
    QString settings() const { return m_settings.text(); }
    bool setSettings(const QString &text);
    // 0 none, 1 Xon/Xoff, 2 RTS, 3 Xon/RTS.
    int handshaking() const { return m_handshaking; }
    bool setHandshaking(int value);

    // Opening an open port succeeds and changes nothing.
    bool open();
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    // Sends a request to the scale (a poll); false while closed.
    bool write(const QByteArray &bytes);
    QString errorString() const { return m_errorString; }

signals:
    void dataReceived(const QByteArray &bytes);
    // The port closed itself after a failure it could not mend.
    void failed(const QString &errorText);
    void openChanged(bool open);

private:
    void onError(QSerialPort::SerialPortError error);
    void reopen();
    QString portError() const;
    bool fail(const QString &text);

    QSerialPort m_port;
    int m_commPort = 1;
    SerialSettings m_settings;
    int m_handshaking = 0;
    QString m_errorString;
    bool m_opening = false;
    // A reopen that brings nothing but the same error is not tried again.
    bool m_reopenedWithoutData = false;
};
