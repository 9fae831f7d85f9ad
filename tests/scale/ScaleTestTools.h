#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <chrono>

// Outside parts the scale tests drive: the project's scale simulator and a
// socat pty pair standing in for a serial cable.

// tavran-scale-sim run as a child; port() is where it listens.
class SimScale
{
public:
    bool start(const QStringList &arguments)
    {
        m_process.setProgram(QStringLiteral(TAVRAN_BINARY_DIR "/tools/scale_sim/tavran-scale-sim"));
        m_process.setArguments(arguments);
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        while (m_process.canReadLine() || m_process.waitForReadyRead(5000)) {
            const QString line = QString::fromUtf8(m_process.readLine());
            const auto match = QRegularExpression(QStringLiteral(R"(listening on .*:(\d+))")).match(line);
            if (match.hasMatch()) {
                m_port = quint16(match.captured(1).toUInt());
                return true;
            }
            if (line.startsWith(QStringLiteral("writing to"))) // a serial device
                return true;
        }
        return false;
    }
    void stop()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    quint16 port() const { return m_port; }
    ~SimScale() { stop(); }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

// socat -d -d pty,raw,echo=0,link=A pty,raw,echo=0,link=B: the station opens
// stationEnd(), the test writes into scaleEnd().
class PtyPair
{
public:
    explicit PtyPair(const QString &folder)
        : m_station(folder + QStringLiteral("/ttyStation"))
        , m_scale(folder + QStringLiteral("/ttyScale"))
    {
    }
    ~PtyPair() { stop(); }

    bool start()
    {
        m_socat.setReadChannel(QProcess::StandardError);
        m_socat.start(QStringLiteral("socat"),
                      {QStringLiteral("-d"), QStringLiteral("-d"),
                       QStringLiteral("pty,raw,echo=0,link=") + m_station,
                       QStringLiteral("pty,raw,echo=0,link=") + m_scale});
        if (!m_socat.waitForStarted())
            return false;
        // socat reports "starting data transfer loop" once both ends exist.
        QByteArray log;
        while (!log.contains("starting data transfer loop") && m_socat.waitForReadyRead(5000))
            log += m_socat.readAll();
        return QFile::exists(m_station) && QFile::exists(m_scale);
    }
    // Unplugs the cable: both ends disappear.
    void stop()
    {
        if (m_socat.state() == QProcess::NotRunning)
            return;
        m_socat.terminate();
        m_socat.waitForFinished();
    }
    QString stationEnd() const { return m_station; }
    QString scaleEnd() const { return m_scale; }

private:
    QString m_station;
    QString m_scale;
    QProcess m_socat;
};
