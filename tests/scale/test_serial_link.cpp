#include "station/SettingsStore.h"
#include "scale/SerialLink.h"
#include "support/TestStation.h"
#include "ScaleTestTools.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Port `n` of `link` made the station end of `pty`, and opened.
bool openOnPty(SerialLink &link, int n, const PtyPair &pty)
{
    SaveAppSetting(u"Properties"_s, u"CommDevice"_s + QString::number(n), pty.stationEnd());
    return link.setCommPort(n) && link.open();
}

} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT
private slots:
    void mapsPortNumbersToDevices();
    void refusesBadValuesKeepingOldOnes();
    void receivesFromThePty();
    void unpluggedPortClosesAndReports();

private:
    TestStation m_station;
};

void TestSerialLink::mapsPortNumbersToDevices()
{
    QCOMPARE(SerialLink::deviceForPort(1), u"/dev/ttyS0"_s);
    QCOMPARE(SerialLink::deviceForPort(16), u"/dev/ttyS15"_s);
    SaveAppSetting(u"Properties"_s, u"CommDevice2"_s, u"/dev/ttyUSB0"_s);
    QCOMPARE(SerialLink::deviceForPort(2), u"/dev/ttyUSB0"_s);
    QCOMPARE(SerialLink::deviceForPort(3), u"/dev/ttyS2"_s);
}

void TestSerialLink::refusesBadValuesKeepingOldOnes()
{
    SerialLink link;
    SaveAppSetting(u"Properties"_s, u"CommDevice9"_s, m_station.root() + u"/no-such-tty"_s);
    QVERIFY(!link.setCommPort(9));
    QVERIFY(link.errorString().contains(u"no-such-tty"_s));
    QCOMPARE(link.commPort(), 1);
    QVERIFY(!link.setCommPort(0));

    QVERIFY(link.setSettings(u"19200,e,7,1.5"_s));
    QCOMPARE(link.settings(), u"19200,E,7,1.5"_s);
    QVERIFY(!link.setSettings(u"9600,N,4,1"_s));
    QCOMPARE(link.settings(), u"19200,E,7,1.5"_s);
    QVERIFY(!link.setHandshaking(4));
    QVERIFY(link.setHandshaking(3));
    QCOMPARE(link.handshaking(), 3);
}

void TestSerialLink::receivesFromThePty()
{
    PtyPair pty(m_station.root());
    QVERIFY(pty.start());
    SerialLink link;
    QVERIFY2(openOnPty(link, 4, pty), qPrintable(link.errorString()));
    QVERIFY(link.open()); // already open: nothing changes

    QByteArray received;
    connect(&link, &SerialLink::dataReceived, this,
            [&received](const QByteArray &bytes) { received += bytes; });
    QFile scale(pty.scaleEnd());
    QVERIFY(scale.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    scale.write("+0012.345 kg\r\n");
    QTRY_COMPARE(received, QByteArray("+0012.345 kg\r\n"));
    QVERIFY(!link.setCommPort(4)); // not while open
    link.close();
    QVERIFY(!link.isOpen());
}

void TestSerialLink::unpluggedPortClosesAndReports()
{
    PtyPair pty(m_station.root());
    QVERIFY(pty.start());
    SerialLink link;
    QVERIFY2(openOnPty(link, 5, pty), qPrintable(link.errorString()));
    QSignalSpy failed(&link, &SerialLink::failed);
    QSignalSpy openChanged(&link, &SerialLink::openChanged);

    pty.stop();
    QVERIFY(failed.wait(5000));
    QVERIFY(!link.isOpen());
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    // Closed for good: the failure is not repeated over and over.
    QVERIFY(!failed.wait(300));
    QCOMPARE(failed.size(), 1);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_serial_link.moc"
