#include "scale/SerialLink.h"

#include "station/SettingsStore.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcScale)

namespace {

constexpr qint64 ReadBufferSize = 64 * 1024;

QSerialPort::Parity toParity(QChar letter)
{
    switch (letter.unicode()) {
    case u'E': return QSerialPort::EvenParity;
    case u'O': return QSerialPort::OddParity;
    case u'M': return QSerialPort::MarkParity;
    case u'S': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits toStopBits(const QString &text)
{
    if (text == u"1.5"_s)
        return QSerialPort::OneAndHalfStop;
    return text == u"2"_s ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

// Qt has no combined Xon/RTS; the hardware lines are the stronger half.
QSerialPort::FlowControl toFlowControl(int handshaking)
{
    switch (handshaking) {
    case 1: return QSerialPort::SoftwareControl;
    case 2:
    case 3: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
    }
}

} // namespace

SerialLink::SerialLink(QObject *parent)
    : QObject(parent)
{
    m_port.setReadBufferSize(ReadBufferSize);
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        m_reopenedWithoutData = false;
        emit dataReceived(m_port.readAll());
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

SerialLink::~SerialLink()
{
    m_port.disconnect(this);
}

QString SerialLink::deviceForPort(int commPort)
{
    const QString configured = GetAppSetting(u"Properties"_s, u"CommDevice"_s + QString::number(commPort));
    if (!configured.isEmpty())
        return configured;
    return u"/dev/ttyS"_s + QString::number(commPort - 1);
}

bool SerialLink::setCommPort(int port)
{
    if (m_port.isOpen())
        return fail(u"Port zaten açık"_s);
    if (port < 1 || port > MaxPort)
        return fail(u"Geçersiz port numarası: %1"_s.arg(port));
    const QString device = deviceForPort(port);
    if (!QFileInfo::exists(device))
        return fail(u"Aygıt yok: %1"_s.arg(device));
    m_commPort = port;
    return true;
}

bool SerialLink::setSettings(const QString &text)
{
    const std::optional<SerialSettings> parsed = SerialSettings::parse(text);
    if (!parsed)
        return fail(u"Geçersiz port ayarı: \"%1\""_s.arg(text));
    m_settings = *parsed;
    if (m_port.isOpen()) {
        if (!m_port.setBaudRate(m_settings.baudRate) || !m_port.setParity(toParity(m_settings.parity))
            || !m_port.setDataBits(QSerialPort::DataBits(m_settings.dataBits))
            || !m_port.setStopBits(toStopBits(m_settings.stopBits)))
            return fail(portError());
    }
    return true;
}

bool SerialLink::setHandshaking(int value)
{
    if (value < 0 || value > 3)
        return fail(u"Geçersiz akış denetimi değeri: %1"_s.arg(value));
    m_handshaking = value;
    if (m_port.isOpen() && !m_port.setFlowControl(toFlowControl(value)))
        return fail(portError());
    return true;
}

bool SerialLink::open()
{
    if (m_port.isOpen())
        return true;
    m_port.setPortName(deviceForPort(m_commPort));
    m_port.setBaudRate(m_settings.baudRate);
    m_port.setParity(toParity(m_settings.parity));
    m_port.setDataBits(QSerialPort::DataBits(m_settings.dataBits));
    m_port.setStopBits(toStopBits(m_settings.stopBits));
    m_port.setFlowControl(toFlowControl(m_handshaking));

    // Errors while opening are the caller's to report, not failed().
    m_opening = true;
    const bool opened = m_port.open(QIODevice::ReadWrite);
    m_opening = false;
    if (!opened)
        return fail(portError());
    m_port.clearError();
    qCDebug(lcScale) << "serial port" << m_commPort << "open on" << m_port.portName();
    emit openChanged(true);
    return true;
}

bool SerialLink::write(const QByteArray &bytes)
{
    return m_port.isOpen() && m_port.write(bytes) == bytes.size();
}

void SerialLink::close()
{
    if (!m_port.isOpen())
        return;
    m_port.close();
    emit openChanged(false);
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_opening)
        return;
    const QString text = portError();
    // Qt repeats a read error for ever while the port stays open.
    close();
    m_port.clearError();
    if (error == QSerialPort::ReadError && !m_reopenedWithoutData) {
        // Let pending events run once between closing and opening.
        QTimer::singleShot(0, this, &SerialLink::reopen);
        return;
    }
    m_errorString = text;
    emit failed(text);
}

void SerialLink::reopen()
{
    if (m_port.isOpen())
        return;
    m_reopenedWithoutData = true;
    if (!open())
        emit failed(m_errorString);
}

// The operator reads Turkish; the platform's own words go to the log.
QString SerialLink::portError() const
{
    qCWarning(lcScale) << "serial port" << m_commPort << "error" << m_port.error() << m_port.errorString();
    static const std::pair<QSerialPort::SerialPortError, QString> Texts[] = {
        {QSerialPort::DeviceNotFoundError, u"Aygıt bulunamadı"_s},
        {QSerialPort::PermissionError, u"Port açılamadı: erişim izni yok ya da başka bir program kullanıyor"_s},
        {QSerialPort::OpenError, u"Port açılamadı"_s},
        {QSerialPort::WriteError, u"Porta yazılamadı"_s},
        {QSerialPort::ReadError, u"Porttan okunamadı"_s},
        {QSerialPort::ResourceError, u"Aygıtın bağlantısı koptu"_s},
        {QSerialPort::UnsupportedOperationError, u"Port bu ayarı desteklemiyor"_s},
    };
    QString text = u"Port hatası"_s;
    for (const auto &[error, turkish] : Texts) {
        if (error == m_port.error())
            text = turkish;
    }
    return text + u": "_s + m_port.portName();
}

bool SerialLink::fail(const QString &text)
{
    m_errorString = text;
    return false;
}
