#include "scale/ScaleLink.h"
#include "support/TestStation.h"
#include "ScaleTestTools.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A scale on a QTcpServer that the test makes talk.
class TestScale
{
public:
    bool listen(quint16 port = 0) { return m_server.listen(QHostAddress::LocalHost, port); }
    quint16 port() const { return m_server.serverPort(); }
    // Runs the event loop meanwhile: the link connects asynchronously.
    QTcpSocket *waitForStation(int timeout = 10000)
    {
        QSignalSpy spy(&m_server, &QTcpServer::newConnection);
        if (!m_server.hasPendingConnections() && !spy.wait(timeout))
            return nullptr;
        return m_server.nextPendingConnection();
    }
    void close() { m_server.close(); }

private:
    QTcpServer m_server;
};

// A link of scale `k` connected to its own TestScale.
struct ConnectedLink
{
    explicit ConnectedLink(int k = 0) : link(k), readings(&link, &ScaleLink::readingsReceived) {}

    bool connect()
    {
        if (!scale.listen())
            return false;
        link.ConnectScaleLink(u"127.0.0.1"_s, QString::number(scale.port()));
        client = scale.waitForStation();
        return client && QTest::qWaitFor([this] { return link.isConnected(); });
    }
    // The readings of arrival i, joined by "|".
    QString reading(qsizetype i) const { return readings.at(i).at(0).toStringList().join(u'|'); }

    TestScale scale;
    ScaleLink link;
    QSignalSpy readings;
    QTcpSocket *client = nullptr;
};

void send(QTcpSocket *client, const QByteArray &bytes)
{
    client->write(bytes);
    client->flush();
    QVERIFY(client->waitForBytesWritten(5000) || client->bytesToWrite() == 0);
}

} // namespace

class TestScaleLink : public QObject
{
    Q_OBJECT
private slots:
    void deliversCompleteReadings_data();
    void deliversCompleteReadings();
    void bindsTheScalesLocalPort();
    void reconnectsAfterDropAndRefusal();
    void switchedOffStaysOff();
    void floodKeepsReadingsFlowing_data();
    void floodKeepsReadingsFlowing();
    void simulatorRestartDeliversAgain();

private:
    TestStation m_station;
};

void TestScaleLink::deliversCompleteReadings_data()
{
    QTest::addColumn<QByteArrayList>("sends"); // separate arrivals
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one") << QByteArrayList{"+0012.345 kg\r\n"} << QStringList{u"+0012.345 kg"_s};
    QTest::newRow("split reading")
        << QByteArrayList{"+0012.3", "45 kg\r\n"} << QStringList{u"+0012.345 kg"_s};
    QTest::newRow("two in one arrival")
        << QByteArrayList{"+0012.345 kg\r\n+0099.000 kg\r\n", "+0001.000 kg\r\n"}
        << QStringList{u"+0012.345 kg|+0099.000 kg"_s, u"+0001.000 kg"_s};
    QTest::newRow("no line end") << QByteArrayList{"+0007.500 kg"} << QStringList{u"+0007.500 kg"_s};
}

void TestScaleLink::deliversCompleteReadings()
{
    QFETCH(QByteArrayList, sends);
    QFETCH(QStringList, expected);
    ConnectedLink connected;
    QVERIFY(connected.connect());
    for (const QByteArray &bytes : sends) {
        send(connected.client, bytes);
        // Separate arrivals, further apart than the quiet gap.
        QTest::qWait(int(ScaleLink::DefaultQuietGap.count()) * 2);
    }
    QTRY_COMPARE(connected.readings.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(connected.reading(i), expected.at(i));
}

void TestScaleLink::bindsTheScalesLocalPort()
{
    TestScale scale;
    QVERIFY(scale.listen());
    for (int k = 0; k < 2; ++k) {
        ScaleLink link(k);
        link.ConnectScaleLink(u"127.0.0.1"_s, QString::number(scale.port()));
        QTcpSocket *client = scale.waitForStation();
        QVERIFY(client);
        if (client->peerPort() != link.localBindPort() && ::geteuid() != 0)
            QSKIP("ports below 1024 need root");
        QCOMPARE(client->peerPort(), quint16(1001 + k));
    }

    // A host name cannot be bound: the link still connects, from any port.
    ScaleLink link(0);
    link.ConnectScaleLink(u"localhost"_s, QString::number(scale.port()));
    QVERIFY(scale.waitForStation());
}

void TestScaleLink::reconnectsAfterDropAndRefusal()
{
    ConnectedLink connected(1);
    QVERIFY(connected.connect());
    const quint16 port = connected.scale.port();
    send(connected.client, "+0001.000 kg\r\n");
    QTRY_COMPARE(connected.readings.size(), 1);

    // The scale goes away: connection dropped, further tries refused.
    connected.scale.close();
    connected.client->close();
    QTRY_VERIFY(!connected.link.isConnected());
    QTest::qWait(600);

    QVERIFY(connected.scale.listen(port));
    QTcpSocket *client = connected.scale.waitForStation();
    QVERIFY(client);
    send(client, "+0002.000 kg\r\n");
    QTRY_COMPARE(connected.readings.size(), 2);
    QCOMPARE(connected.reading(1), u"+0002.000 kg"_s);
    QVERIFY(connected.link.isSwitchedOn());
}

void TestScaleLink::switchedOffStaysOff()
{
    TestScale scale;
    QVERIFY(scale.listen());
    const quint16 port = scale.port();
    scale.close();
    ScaleLink link(0);
    link.ConnectScaleLink(u"127.0.0.1"_s, QString::number(port));
    QTest::qWait(100); // refused at least once
    link.close();
    QVERIFY(scale.listen(port));
    // Longer than the first pause between tries.
    QVERIFY(!scale.waitForStation(int(ScaleLink::FirstRetryPause.count()) * 3));
}

void TestScaleLink::floodKeepsReadingsFlowing_data()
{
    QTest::addColumn<char>("flood");
    QTest::addColumn<QByteArray>("after"); // what ends the flood
    QTest::newRow("noise, line end") << '\x07' << QByteArray("\r\n");
    QTest::newRow("digits, line end") << '1' << QByteArray("\r\n");
    QTest::newRow("digits, reading") << '1' << QByteArray("+0009.000 kg\r\n");
}

void TestScaleLink::floodKeepsReadingsFlowing()
{
    QFETCH(char, flood);
    QFETCH(QByteArray, after);
    ConnectedLink connected;
    QVERIFY(connected.connect());
    // Megabytes without a line end are dropped up to the line end that
    // closes them; nothing of them reaches the next reading.
    connected.client->write(QByteArray(10 << 20, flood));
    connected.client->write(after);
    connected.client->write("+0003.250 kg\r\n"); // drained by the link meanwhile
    QTRY_COMPARE_WITH_TIMEOUT(connected.readings.size(), 1, 20000);
    QCOMPARE(connected.reading(0), u"+0003.250 kg"_s);
    send(connected.client, "+0003.500 kg\r\n");
    QTRY_COMPARE(connected.readings.size(), 2);
    QCOMPARE(connected.reading(1), u"+0003.500 kg"_s);
}

void TestScaleLink::simulatorRestartDeliversAgain()
{
    auto sim = std::make_unique<SimScale>();
    QVERIFY(sim->start({u"--port"_s, u"0"_s, u"--weights"_s, u"1"_s, u"--interval"_s, u"50"_s}));
    const quint16 port = sim->port();
    ScaleLink link(0);
    QSignalSpy readings(&link, &ScaleLink::readingsReceived);
    link.ConnectScaleLink(u"127.0.0.1"_s, QString::number(port));
    QTRY_VERIFY(!readings.isEmpty());

    sim.reset();
    QTRY_VERIFY(!link.isConnected());
    readings.clear();
    sim = std::make_unique<SimScale>();
    QVERIFY(sim->start({u"--port"_s, QString::number(port), u"--weights"_s, u"2"_s,
                        u"--interval"_s, u"50"_s}));
    QTRY_VERIFY_WITH_TIMEOUT(!readings.isEmpty(), 15000);
    QCOMPARE(readings.last().at(0).toStringList().last(), u"+0002.000 kg"_s);
}

QTEST_GUILESS_MAIN(TestScaleLink)
#include "test_scale_link.moc"
