#include "station/SettingsStore.h"
#include "station/StationState.h"
#include "scale/ScaleButton.h"
#include "scale/ScaleLink.h"
#include "scale/ScalePanel.h"
#include "scale/SerialLink.h"
#include "support/TestStation.h"
#include "ui_support/Prompts.h"
#include "ScaleTestTools.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Answers input boxes from a list and records every question and message.
class ScriptedPrompts final : public Prompts
{
public:
    QStringList answers; // a null text is Cancel
    QStringList asked;   // "prompt|title|default"
    QStringList messages;

    std::optional<QString> inputBox(QWidget *, const QString &prompt, const QString &title,
                                    const QString &defaultText, QPoint) override
    {
        asked << prompt + u'|' + title + u'|' + defaultText;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    void exclamation(QWidget *, const QString &text) override { messages << text; }
};

// One scale end of a network link.
struct TcpScale
{
    QTcpServer server;
    QPointer<QTcpSocket> client;

    bool listen() { return server.listen(QHostAddress::LocalHost); }
    QString port() const { return QString::number(server.serverPort()); }
    bool waitForStation()
    {
        QSignalSpy spy(&server, &QTcpServer::newConnection);
        if (!server.hasPendingConnections() && !spy.wait(10000))
            return false;
        client = server.nextPendingConnection();
        return client;
    }
    void send(const QByteArray &bytes)
    {
        client->write(bytes);
        client->flush();
    }
};

// A scale on TCP or on a serial pty that the test writes frames into.
struct ScaleEnd
{
    explicit ScaleEnd(const QString &folder) : pty(folder) {}
    void send(const QByteArray &bytes) { serial.isOpen() ? void(serial.write(bytes)) : tcp.send(bytes); }
    void unplug() { serial.isOpen() ? pty.stop() : tcp.client->close(); }

    TcpScale tcp;
    PtyPair pty;
    QFile serial;
};

// An option button takes clicks on its circle and caption only.
void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(4, option->height() / 2));
}

} // namespace

class TestScalePanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startupSwitchesLinksOnWithoutAsking();
    void menuAsksForTheAddress();
    void cancelledAnswersSwitchTheScaleOff_data();
    void cancelledAnswersSwitchTheScaleOff();
    void onlyTheActiveScaleReachesTheLiveWeight();
    void networkChoiceConnectsScaleOne_data();
    void networkChoiceConnectsScaleOne();
    void rightClickRenamesTheButton();
    void serialTerminalShowsWhatArrives();
    void serialDialogRoundTrips_data();
    void serialDialogRoundTrips();
    void rejectedPortKeepsTheOldOne();
    void dialogSetsTheScaleSettings();
    void simulatorFeedsTheLiveWeight();
    void unendedReadingsShowTheNewest();
    void everyFormatGivesTheSameCaption_data();
    void everyFormatGivesTheSameCaption();
    void polledScaleSpeaksOnlyWhenAsked_data();
    void polledScaleSpeaksOnlyWhenAsked();
    void lostLinkShowsNoScale_data();
    void lostLinkShowsNoScale();
    void framesReachTheLiveWeight_data();
    void framesReachTheLiveWeight();

private:
    void build();
    // Scale 1 on at the last run, on `port`: the window as start-up finds it.
    void buildAtStartup(const QString &port);
    void runDialog(const std::function<void(QDialog *)> &drive);
    // Scale 1 on at start-up, over `pty` (started) or TCP `port`; a pty
    // is the serial scale and the serial link is chosen.
    void startScaleOne(PtyPair *pty, quint16 port);
    // Scale 1 switched on at start-up, over `end`'s TCP link or its pty.
    bool connectScale(ScaleEnd &end, bool serial);

    std::unique_ptr<TestStation> m_station;
    ScriptedPrompts m_prompts;
    StationState m_state;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<ScalePanel> m_panel;
    QMenu *m_dosya = nullptr;
};

void TestScalePanel::init()
{
    m_station = std::make_unique<TestStation>();
    // QSettings keeps its file for the whole process: start each test blank.
    const QStringList keys = AppSettingKeys(u"Properties"_s);
    for (const QString &key : keys)
        SaveAppSetting(u"Properties"_s, key, QString());
    m_prompts = {};
    Prompts::install(&m_prompts);
    m_state = {};
}

void TestScalePanel::cleanup()
{
    m_panel.reset();
    m_window.reset();
    Prompts::install(nullptr);
    m_station.reset();
}

void TestScalePanel::build()
{
    m_window = std::make_unique<QWidget>();
    auto *frame = new QWidget(m_window.get());
    m_panel = std::make_unique<ScalePanel>(m_state, m_window.get());
    m_panel->createControls(frame, m_window.get());
    m_dosya = new QMenu(u"Dosya"_s, m_window.get());
    m_panel->addMenuEntries(m_dosya);
    m_window->show();
}

void TestScalePanel::buildAtStartup(const QString &port)
{
    WriteRegValue(u"Tart0"_s, u"True"_s);
    WriteRegValue(u"PortNo0"_s, port);
    m_state.customerKeyIndex = StationState::StartingUp;
    build();
}

// Runs the modal serial dialog from "Port Ayarları" and lets `drive` work it.
void TestScalePanel::runDialog(const std::function<void(QDialog *)> &drive)
{
    bool driven = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), u"frmProperties"_s);
        QCOMPARE(dialog->windowTitle(), u"CommPort Properties"_s);
        driven = true;
        drive(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    m_panel->findChild<QAction *>(u"PortAyar"_s)->trigger();
    QVERIFY(driven);
}

void TestScalePanel::startupSwitchesLinksOnWithoutAsking()
{
    TcpScale scale;
    QVERIFY(scale.listen());
    WriteRegValue(u"Tart0"_s, u"True"_s);
    WriteRegValue(u"IpNo0"_s, u"127.0.0.1"_s);
    WriteRegValue(u"PortNo0"_s, scale.port());
    WriteRegValue(u"Terazi0"_s, u"Dana Kantarı"_s);
    m_state.customerKeyIndex = StationState::StartingUp;
    build();

    m_panel->restoreAtStartup();
    QVERIFY(m_prompts.asked.isEmpty());
    QVERIFY(scale.waitForStation());
    if (::geteuid() == 0)
        QCOMPARE(scale.client->peerPort(), quint16(1001));

    auto *tart0 = m_panel->findChild<QAction *>(u"Tart(0)"_s);
    auto *tart1 = m_panel->findChild<QAction *>(u"Tart(1)"_s);
    QVERIFY(tart0->isChecked());
    QVERIFY(!tart1->isChecked());
    QVERIFY(!m_panel->scaleLink(1).isSwitchedOn());
    auto *button0 = m_window->findChild<ScaleButton *>(u"Command6(0)"_s);
    QVERIFY(button0->isEnabled());
    QCOMPARE(button0->backColor(), ScaleButton::Green);
    QCOMPARE(button0->text(), u"Dana Kantarı"_s);
    QCOMPARE(m_window->findChild<QPushButton *>(u"Command6(1)"_s)->text(), u"2.Terazi"_s);
    QCOMPARE(regText(ReadRegValue(u"Tart0"_s)), u"True"_s);
}

void TestScalePanel::menuAsksForTheAddress()
{
    TcpScale scale;
    QVERIFY(scale.listen());
    build();
    auto *tart1 = m_panel->findChild<QAction *>(u"Tart(1)"_s);
    auto *button0 = m_window->findChild<ScaleButton *>(u"Command6(0)"_s);
    auto *button1 = m_window->findChild<ScaleButton *>(u"Command6(1)"_s);

    m_prompts.answers = {u"127.0.0.1"_s, scale.port()};
    tart1->trigger();
    QCOMPARE(m_prompts.asked,
             QStringList({u"2. Terazi Ip Numarasını Giriniz.|Terazi Ip No|127.0.0.1"_s,
                          u"2. Terazi Port Numarasını Giriniz.|Terazi Port No|5555"_s}));
    QVERIFY(scale.waitForStation());
    if (::geteuid() == 0)
        QCOMPARE(scale.client->peerPort(), quint16(1002));
    QVERIFY(tart1->isChecked());
    QVERIFY(button1->isEnabled());
    // Switching any scale on makes scale 1 the active one.
    QCOMPARE(button0->backColor(), ScaleButton::Green);
    QCOMPARE(button1->backColor(), ScaleButton::Yellow);
    QCOMPARE(regText(ReadRegValue(u"PortNo1"_s)), scale.port());
    QCOMPARE(regText(ReadRegValue(u"Tart1"_s)), u"True"_s);

    tart1->trigger();
    QVERIFY(!tart1->isChecked());
    QVERIFY(!button1->isEnabled());
    QVERIFY(!m_panel->scaleLink(1).isSwitchedOn());
    QCOMPARE(button0->backColor(), ScaleButton::Yellow);
    QCOMPARE(regText(ReadRegValue(u"Tart1"_s)), u"False"_s);
    QTRY_COMPARE(scale.client->state(), QAbstractSocket::UnconnectedState);
}

void TestScalePanel::cancelledAnswersSwitchTheScaleOff_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("storedIp");
    QTest::newRow("ip cancelled") << QStringList{QString()} << QString();
    QTest::newRow("ip emptied") << QStringList{u""_s} << QString();
    QTest::newRow("port cancelled") << QStringList{u"10.0.0.9"_s, QString()} << u"10.0.0.9"_s;
}

void TestScalePanel::cancelledAnswersSwitchTheScaleOff()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, storedIp);
    build();
    m_prompts.answers = answers;
    m_panel->findChild<QAction *>(u"Tart(0)"_s)->trigger();
    QVERIFY(!m_panel->findChild<QAction *>(u"Tart(0)"_s)->isChecked());
    QVERIFY(!m_window->findChild<QPushButton *>(u"Command6(0)"_s)->isEnabled());
    QVERIFY(!m_panel->scaleLink(0).isSwitchedOn());
    QCOMPARE(regText(ReadRegValue(u"Tart0"_s)), u"False"_s);
    QCOMPARE(regText(ReadRegValue(u"IpNo0"_s)), storedIp);
}

void TestScalePanel::onlyTheActiveScaleReachesTheLiveWeight()
{
    std::array<TcpScale, 2> scales;
    for (int k = 0; k < 2; ++k) {
        QVERIFY(scales[k].listen());
        WriteRegValue(u"Tart"_s + QString::number(k), u"True"_s);
        WriteRegValue(u"PortNo"_s + QString::number(k), scales[k].port());
    }
    m_state.customerKeyIndex = StationState::StartingUp;
    build();
    QSignalSpy live(m_panel.get(), &ScalePanel::liveWeightChanged);
    m_panel->restoreAtStartup();
    for (TcpScale &scale : scales)
        QVERIFY(scale.waitForStation());
    QTRY_VERIFY(m_panel->scaleLink(1).isConnected());

    // Scale 2's button is yellow: its reading is taken off and dropped.
    scales[1].send("+0099.000 kg\r\n");
    scales[0].send("+0012.3");
    QTest::qWait(150);
    scales[0].send("45 kg\r\n");
    QTRY_COMPARE(live.size(), 1);
    QCOMPARE(live.at(0).at(0).toString(), u"12,345 Kg "_s);
    QCOMPARE(m_panel->text3(), u"12,345 Kg"_s);
    QCOMPARE(m_window->findChild<QLineEdit *>(u"Text3"_s)->text(), u"12,345 Kg"_s);

    QTest::mouseClick(m_window->findChild<QPushButton *>(u"Command6(1)"_s), Qt::LeftButton);
    QVERIFY(!m_panel->isScaleActive(0));
    scales[0].send("+0001.000 kg\r\n");
    scales[1].send("-0.5 kg\r\n");
    QTRY_COMPARE(live.size(), 2);
    QCOMPARE(live.at(1).at(0).toString(), u"-0,500 Kg "_s);

    scales[1].send("OVER\r\n");
    QTRY_COMPARE(live.size(), 3);
    QCOMPARE(live.at(2).at(0).toString(), u" Kg "_s);
    QCOMPARE(m_panel->liveWeightCaption(), u" Kg "_s);
}

void TestScalePanel::networkChoiceConnectsScaleOne_data()
{
    QTest::addColumn<bool>("buttonShown");
    QTest::newRow("button shown") << true;
    QTest::newRow("button hidden") << false;
}

void TestScalePanel::networkChoiceConnectsScaleOne()
{
    QFETCH(bool, buttonShown);
    TcpScale scale;
    QVERIFY(scale.listen());
    WriteRegValue(u"PortNo0"_s, scale.port());
    build();
    m_window->findChild<QPushButton *>(u"Command6(0)"_s)->setHidden(!buttonShown);

    m_panel->findChild<QAction *>(u"Baglan(1)"_s)->setChecked(true);
    m_panel->findChild<QAction *>(u"Baglan(0)"_s)->trigger();
    QVERIFY(m_panel->findChild<QAction *>(u"Baglan(0)"_s)->isChecked());
    QVERIFY(!m_panel->findChild<QAction *>(u"Baglan(1)"_s)->isChecked());
    QCOMPARE(GetAppSetting(u"Properties"_s, u"Baglan"_s), u"0"_s);
    QCOMPARE(m_panel->findChild<QAction *>(u"PortAyar"_s)->isVisible(), buttonShown);
    QCOMPARE(m_panel->scaleLink(0).isSwitchedOn(), buttonShown);
    if (buttonShown)
        QVERIFY(scale.waitForStation());
    QVERIFY(m_prompts.asked.isEmpty());
}

void TestScalePanel::rightClickRenamesTheButton()
{
    build();
    auto *button = m_window->findChild<QPushButton *>(u"Command6(1)"_s);
    m_prompts.answers = {u"Büyük Kantar"_s, QString()};
    QTest::mouseClick(button, Qt::RightButton);
    QCOMPARE(m_prompts.asked.value(0), u"2.Terazi İçin İsim Girin|2Buton İsmi|2.Terazi"_s);
    QCOMPARE(button->text(), u"Büyük Kantar"_s);
    QCOMPARE(regText(ReadRegValue(u"Terazi1"_s)), u"Büyük Kantar"_s);

    // Cancel leaves the name as it is.
    QTest::mouseClick(button, Qt::RightButton);
    QCOMPARE(button->text(), u"Büyük Kantar"_s);
    QCOMPARE(regText(ReadRegValue(u"Terazi1"_s)), u"Büyük Kantar"_s);
    // A left click only makes the scale active.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_prompts.asked.size(), 2);
    QVERIFY(m_panel->isScaleActive(1));
}

void TestScalePanel::serialTerminalShowsWhatArrives()
{
    PtyPair pty(m_station->root());
    QVERIFY(pty.start());
    SaveAppSetting(u"Properties"_s, u"CommDevice1"_s, pty.stationEnd());
    build();
    QAction *portAyar = m_panel->findChild<QAction *>(u"PortAyar"_s);
    QVERIFY(!portAyar->isVisible());

    m_panel->findChild<QAction *>(u"Baglan(1)"_s)->trigger();
    QVERIFY2(m_prompts.messages.isEmpty(), qPrintable(m_prompts.messages.join(u'\n')));
    QVERIFY(m_panel->serialLink().isOpen());
    QVERIFY(portAyar->isVisible());
    QVERIFY(m_panel->findChild<QAction *>(u"Baglan(1)"_s)->isChecked());
    QCOMPARE(GetAppSetting(u"Properties"_s, u"Baglan"_s), u"1"_s);

    QFile scale(pty.scaleEnd());
    QVERIFY(scale.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    scale.write("AB\bC\r\nx\ny\r");
    auto *txtTerm = m_window->findChild<QPlainTextEdit *>(u"txtTerm"_s);
    QTRY_COMPARE(txtTerm->toPlainText(), u"AC\nxy\n"_s);
    scale.write("\b\b!");
    // Both leading backspaces select the last character, the LF of "y" CR LF.
    QTRY_COMPARE(txtTerm->toPlainText(), u"AC\nxy\n!"_s);
    // Serial text is shown only, never taken as a reading.
    QCOMPARE(m_panel->text3(), QString());

    pty.stop();
    QTRY_COMPARE(m_prompts.messages.size(), 1);
    QVERIFY(!m_panel->serialLink().isOpen());
    QCOMPARE(portAyar->text(), u"Port Ayarları"_s);
}

void TestScalePanel::serialDialogRoundTrips_data()
{
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<QString>("dataBits");
    QTest::addColumn<QString>("stopBits");
    QTest::addColumn<int>("flow");
    QTest::addColumn<QString>("saved");
    QTest::newRow("9600,N,8,1") << u"9600"_s << u"None"_s << u"8"_s << u"1"_s << 0
                                << u"9600,N,8,1"_s;
    QTest::newRow("19200,E,7,1.5") << u"19200"_s << u"Even"_s << u"7"_s << u"1.5"_s << 2
                                   << u"19200,E,7,1.5"_s;
}

void TestScalePanel::serialDialogRoundTrips()
{
    QFETCH(QString, speed);
    QFETCH(QString, parity);
    QFETCH(QString, dataBits);
    QFETCH(QString, stopBits);
    QFETCH(int, flow);
    QFETCH(QString, saved);
    PtyPair pty(m_station->root());
    QVERIFY(pty.start());
    SaveAppSetting(u"Properties"_s, u"CommDevice1"_s, pty.stationEnd());
    build();

    runDialog([&](QDialog *dialog) {
        dialog->findChild<QComboBox *>(u"cboSpeed"_s)->setCurrentText(speed);
        dialog->findChild<QComboBox *>(u"cboParity"_s)->setCurrentText(parity);
        dialog->findChild<QComboBox *>(u"cboDataBits"_s)->setCurrentText(dataBits);
        dialog->findChild<QComboBox *>(u"cboStopBits"_s)->setCurrentText(stopBits);
        clickOption(dialog->findChild<QRadioButton *>(u"optFlow(%1)"_s.arg(flow)));
        clickOption(dialog->findChild<QRadioButton *>(u"optEcho(1)"_s));
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(GetAppSetting(u"Properties"_s, u"Settings"_s), saved);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"CommPort"_s), u"1"_s);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"Handshaking"_s), QString::number(flow));
    QCOMPARE(GetAppSetting(u"Properties"_s, u"Echo"_s), u"True"_s);
    // Whether a pty takes every setting is the device's business; the
    // caption tells the outcome, and a refusal was shown.
    QAction *portAyar = m_panel->findChild<QAction *>(u"PortAyar"_s);
    if (m_panel->serialLink().isOpen())
        QCOMPARE(portAyar->text(), u"Port Ayar Com=1"_s);
    else
        QCOMPARE(m_prompts.messages.size(), 1);

    runDialog([&](QDialog *dialog) {
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboPort"_s)->currentText(), u"Com1"_s);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboPort"_s)->count(), 16);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboSpeed"_s)->currentText(), speed);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboParity"_s)->currentText(), parity);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboDataBits"_s)->currentText(), dataBits);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboStopBits"_s)->currentText(), stopBits);
        QVERIFY(dialog->findChild<QRadioButton *>(u"optFlow(%1)"_s.arg(flow))->isChecked());
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdCancel"_s), Qt::LeftButton);
    });
    // The menu closed the port before the dialog; Cancel leaves it closed.
    QVERIFY(!m_panel->serialLink().isOpen());
    QCOMPARE(portAyar->text(), u"Port Ayarları"_s);
}

void TestScalePanel::rejectedPortKeepsTheOldOne()
{
    SaveAppSetting(u"Properties"_s, u"CommDevice3"_s, m_station->root() + u"/unplugged"_s);
    build();
    const int before = m_panel->serialLink().commPort();
    runDialog([&](QDialog *dialog) {
        dialog->findChild<QComboBox *>(u"cboPort"_s)->setCurrentIndex(2);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages.at(0).contains(u"unplugged"_s));
    });
    QCOMPARE(m_panel->serialLink().commPort(), before);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"CommPort"_s), QString());
    QVERIFY(!m_panel->serialLink().isOpen());
}

void TestScalePanel::dialogSetsTheScaleSettings()
{
    PtyPair pty(m_station->root());
    QVERIFY(pty.start());
    SaveAppSetting(u"Properties"_s, u"CommDevice1"_s, pty.stationEnd());
    build();
    QCOMPARE(m_panel->serialScale(), -1);
    runDialog([&](QDialog *dialog) {
        dialog->findChild<QComboBox *>(u"cboSerialScale"_s)->setCurrentIndex(2);
        dialog->findChild<QComboBox *>(u"cboFormat(1)"_s)->setCurrentText(u"sics"_s);
        auto *poll = dialog->findChild<QLineEdit *>(u"txtPoll(1)"_s);
        poll->setText(u"SI"_s); // no interval: refused, the dialog stays
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_prompts.messages.size(), 1);
        poll->setText(u"400 SI\\r\\n"_s);
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(GetAppSetting(u"Properties"_s, u"SerialScale"_s), u"2"_s);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"ScaleFormat1"_s), u"sics"_s);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"ScaleFormat0"_s), u"classic"_s);
    QCOMPARE(GetAppSetting(u"Properties"_s, u"ScalePoll1"_s), u"400 SI\\r\\n"_s);
    QCOMPARE(m_panel->serialScale(), 1);

    runDialog([&](QDialog *dialog) {
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboSerialScale"_s)->currentText(), u"2.Terazi"_s);
        QCOMPARE(dialog->findChild<QComboBox *>(u"cboFormat(1)"_s)->currentText(), u"sics"_s);
    });
}

void TestScalePanel::simulatorFeedsTheLiveWeight()
{
    SimScale sim;
    QVERIFY(sim.start({u"--port"_s, u"0"_s, u"--weights"_s, u"12.345"_s, u"--interval"_s,
                       u"40"_s, u"--split"_s, u"7"_s, u"--split-delay"_s, u"25"_s}));
    buildAtStartup(QString::number(sim.port()));
    QSignalSpy live(m_panel.get(), &ScalePanel::liveWeightChanged);
    m_panel->restoreAtStartup();
    QTRY_VERIFY_WITH_TIMEOUT(live.size() >= 5, 10000);
    for (const QList<QVariant> &caption : std::as_const(live))
        QCOMPARE(caption.at(0).toString(), u"12,345 Kg "_s);
}

void TestScalePanel::unendedReadingsShowTheNewest()
{
    // 3,000 to 3,399 kg, one every 15 ms, never a line end.
    QStringList weights;
    QSet<QString> sent;
    for (int g = 0; g < 400; ++g) {
        weights << u"3.%1"_s.arg(g, 3, 10, QChar(u'0'));
        sent << u"3,%1 Kg "_s.arg(g, 3, 10, QChar(u'0'));
    }
    SimScale sim;
    QVERIFY(sim.start({u"--port"_s, u"0"_s, u"--weights"_s, weights.join(u','), u"--interval"_s,
                       u"15"_s, u"--no-line-end"_s}));
    buildAtStartup(QString::number(sim.port()));
    QSignalSpy live(m_panel.get(), &ScalePanel::liveWeightChanged);
    m_panel->restoreAtStartup();
    QTRY_VERIFY_WITH_TIMEOUT(live.size() >= 20, 5000);

    // Every caption is a reading the scale sent, each newer than the one before.
    QString last;
    for (const QList<QVariant> &shown : std::as_const(live)) {
        const QString caption = shown.at(0).toString();
        QVERIFY2(sent.contains(caption), qPrintable(caption));
        QVERIFY2(caption > last, qPrintable(last + u" then "_s + caption));
        last = caption;
    }
}

void TestScalePanel::everyFormatGivesTheSameCaption_data()
{
    QTest::addColumn<QString>("simFormat");
    QTest::addColumn<QString>("stationFormat");
    QTest::addColumn<bool>("serial");
    for (const QString &format : {u"classic"_s, u"st-gs"_s, u"sics"_s}) {
        QTest::addRow("%s over tcp", qPrintable(format)) << format << format << false;
        QTest::addRow("%s over serial", qPrintable(format)) << format << format << true;
        QTest::addRow("%s read as auto", qPrintable(format)) << format << u"auto"_s << false;
    }
}

void TestScalePanel::everyFormatGivesTheSameCaption()
{
    QFETCH(QString, simFormat);
    QFETCH(QString, stationFormat);
    QFETCH(bool, serial);
    PtyPair pty(m_station->root());
    SimScale sim;
    QStringList arguments{u"--format"_s, simFormat, u"--weights"_s, u"1.25"_s,
                          u"--interval"_s, u"50"_s};
    if (serial) {
        QVERIFY(pty.start());
        arguments << u"--serial"_s << pty.scaleEnd();
    } else {
        arguments << u"--port"_s << u"0"_s;
    }
    QVERIFY(sim.start(arguments));
    SaveAppSetting(u"Properties"_s, u"ScaleFormat0"_s, stationFormat);
    startScaleOne(serial ? &pty : nullptr, sim.port());

    QTRY_COMPARE_WITH_TIMEOUT(m_panel->liveWeightCaption(), u"1,250 Kg "_s, 10000);
    QVERIFY(m_panel->isLiveStable());
    QCOMPARE(m_panel->liveScale(), 0);
    if (serial) // the terminal still shows the raw text
        QTRY_VERIFY2(m_window->findChild<QPlainTextEdit *>(u"txtTerm"_s)->toPlainText().contains(u"1.250"_s),
                     qPrintable(m_window->findChild<QPlainTextEdit *>(u"txtTerm"_s)->toPlainText()));
}

void TestScalePanel::polledScaleSpeaksOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("tcp") << false;
    QTest::newRow("serial") << true;
}

void TestScalePanel::polledScaleSpeaksOnlyWhenAsked()
{
    QFETCH(bool, serial);
    PtyPair pty(m_station->root());
    SimScale sim;
    QStringList arguments{u"--format"_s, u"sics"_s, u"--weights"_s, u"2.5"_s, u"--poll"_s};
    if (serial) {
        QVERIFY(pty.start());
        arguments << u"--serial"_s << pty.scaleEnd();
    } else {
        arguments << u"--port"_s << u"0"_s;
    }
    QVERIFY(sim.start(arguments));
    SaveAppSetting(u"Properties"_s, u"ScaleFormat0"_s, u"sics"_s);
    startScaleOne(serial ? &pty : nullptr, sim.port());
    QSignalSpy live(m_panel.get(), &ScalePanel::liveWeightChanged);
    if (!serial)
        QTRY_VERIFY(m_panel->scaleLink(0).isConnected());
    QTest::qWait(500);
    QCOMPARE(live.size(), 0);

    SaveAppSetting(u"Properties"_s, u"ScalePoll0"_s, u"100 SI\\r\\n"_s);
    m_panel->reloadScaleSettings();
    QTRY_VERIFY(live.size() >= 3);
    QCOMPARE(m_panel->liveWeightCaption(), u"2,500 Kg "_s);
}

void TestScalePanel::lostLinkShowsNoScale_data()
{
    QTest::addColumn<bool>("switchedOff"); // else the scale goes away
    QTest::newRow("scale goes away") << false;
    QTest::newRow("switched off") << true;
}

void TestScalePanel::lostLinkShowsNoScale()
{
    QFETCH(bool, switchedOff);
    TcpScale scale;
    QVERIFY(scale.listen());
    buildAtStartup(scale.port());
    m_panel->restoreAtStartup();
    m_state.customerKeyIndex = 0;
    QVERIFY(scale.waitForStation());
    scale.send("+0012.345 kg\r\n");
    QTRY_COMPARE(m_panel->liveWeightCaption(), u"12,345 Kg "_s);

    if (switchedOff)
        m_panel->findChild<QAction *>(u"Tart(0)"_s)->trigger();
    else
        scale.client->close();
    QTRY_COMPARE(m_panel->liveWeightCaption(), ScalePanel::NoScaleCaption);
    if (switchedOff)
        return;

    // Back on the link, the next reading is the weight again.
    QVERIFY(scale.waitForStation());
    scale.send("+0001.000 kg\r\n");
    QTRY_COMPARE(m_panel->liveWeightCaption(), u"1,000 Kg "_s);
}

void TestScalePanel::startScaleOne(PtyPair *pty, quint16 port)
{
    if (pty) {
        SaveAppSetting(u"Properties"_s, u"CommDevice1"_s, pty->stationEnd());
        SaveAppSetting(u"Properties"_s, u"SerialScale"_s, u"1"_s);
    }
    buildAtStartup(QString::number(pty ? 9 : port));
    m_panel->restoreAtStartup();
    if (pty)
        m_panel->findChild<QAction *>(u"Baglan(1)"_s)->trigger();
}

bool TestScalePanel::connectScale(ScaleEnd &end, bool serial)
{
    if (serial ? !end.pty.start() : !end.tcp.listen())
        return false;
    startScaleOne(serial ? &end.pty : nullptr, end.tcp.server.serverPort());
    m_state.customerKeyIndex = 0;
    if (!serial)
        return end.tcp.waitForStation();
    end.serial.setFileName(end.pty.scaleEnd());
    if (!end.serial.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // A port opened mid-stream drops its text up to the first line end.
    end.send("\r\n");
    return m_panel->serialLink().isOpen();
}

void TestScalePanel::framesReachTheLiveWeight_data()
{
    QTest::addColumn<bool>("serial");
    QTest::addColumn<QStringList>("settings"); // "Name=value"
    QTest::addColumn<QByteArrayList>("frames"); // separate arrivals
    QTest::addColumn<int>("silentMs");          // then the scale falls silent; < 0: is unplugged
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("addable");
    const QStringList stGs{u"ScaleFormat0=st-gs"_s};
    const QStringList autoFormat{u"ScaleFormat0=auto"_s};
    const QByteArray block = "ST,GS,+0010.000kg\r\nST,TR,+0000.500kg\r\nST,NT,+0009.500kg\r\n";
    QTest::newRow("gross, tare, net, tcp") << false << stGs << QByteArrayList{block} << 0 << u"9,500 Kg "_s << true;
    QTest::newRow("gross, tare, net, serial") << true << autoFormat << QByteArrayList{block} << 0 << u"9,500 Kg "_s << true;
    QTest::newRow("pounds") << true << QStringList() << QByteArrayList{"+0002.720 lb\r\n"} << 0 << u"2,720 lb "_s << false;
    QTest::newRow("grams") << false << autoFormat << QByteArrayList{"+0001.250 g\r\n"} << 0 << u"0,001 Kg "_s << true;
    QTest::newRow("glued unit") << true << QStringList() << QByteArrayList{"+0001.250kg\r\n"} << 0 << u"1,250 Kg "_s << true;
    QTest::newRow("right-aligned") << false << QStringList() << QByteArrayList{"   1.234 kg\r\n"} << 0 << u"1,234 Kg "_s << true;
    QTest::newRow("minus infinity") << false << QStringList() << QByteArrayList{"     -inf kg\r\n"} << 0 << u"-inf  Kg "_s << false;
    const QByteArray ended = "+0003.000 kg\r\n";
    QTest::newRow("stx etx after a line end") << false << QStringList()
        << QByteArrayList{ended, "\x02+0004.000 kg\x03"} << 0 << u"4,000 Kg "_s << true;
    // Enough readings to show the scale ends none, even after a line end.
    const QByteArray unended = "+0004.000 kg+0004.000 kg+0004.000 kg+0004.000 kg+0004.000 kg";
    QTest::newRow("unended after a line end") << true << QStringList() << QByteArrayList{ended, unended} << 0
                                              << u"4,000 Kg "_s << true;
    QByteArray noise(10 << 20, '\0');
    QRandomGenerator(17).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QTest::newRow("10 MB of noise, then unended readings") << false << QStringList()
        << QByteArrayList{noise, unended} << 0 << u"4,000 Kg "_s << true;

    const QString none = ScalePanel::NoScaleCaption;
    QTest::newRow("unended scale unplugged, tcp") << false << QStringList() << QByteArrayList{unended} << -500
                                                  << none << false;
    QTest::newRow("unended scale unplugged, serial") << true << QStringList() << QByteArrayList{unended} << -500
                                                     << none << false;
    QTest::newRow("scale falls silent") << true << QStringList() << QByteArrayList{ended} << 2000 << none << false;
    QTest::newRow("polled scale stops answering") << false << QStringList{u"ScalePoll0=100 SI"_s}
        << QByteArrayList{ended} << 2000 << none << false;
    QTest::newRow("slow poll") << false << QStringList{u"ScalePoll0=1200 SI"_s} << QByteArrayList{ended} << 2000
                               << u"3,000 Kg "_s << true;
    QTest::newRow("print-key indicator") << true << QStringList{u"MaxReadingAgeMs=0"_s} << QByteArrayList{ended}
                                         << 2000 << u"3,000 Kg "_s << true;
}

void TestScalePanel::framesReachTheLiveWeight()
{
    QFETCH(bool, serial);
    QFETCH(QStringList, settings);
    QFETCH(QByteArrayList, frames);
    QFETCH(int, silentMs);
    QFETCH(QString, caption);
    QFETCH(bool, addable);
    for (const QString &setting : std::as_const(settings))
        SaveAppSetting(u"Properties"_s, setting.section(u'=', 0, 0), setting.section(u'=', 1));
    ScaleEnd end(m_station->root());
    QVERIFY(connectScale(end, serial));
    for (const QByteArray &frame : std::as_const(frames)) {
        end.send(frame);
        QTest::qWait(int(ScaleLink::DefaultQuietGap.count()) * 2);
    }
    if (silentMs != 0) {
        // A weight was there, fresh and addable, before the scale went.
        QTRY_VERIFY(m_panel->isLiveAddable());
        if (silentMs < 0) { // unplugged while its last reading is still pending
            end.send(frames.last());
            end.unplug();
        }
        QTest::qWait(std::abs(silentMs));
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(m_panel->liveWeightCaption(), caption, 15000);
    }
    QCOMPARE(m_panel->liveWeightCaption(), caption);
    QCOMPARE(m_panel->isLiveAddable(), addable);
}

QTEST_MAIN(TestScalePanel)
#include "test_scale_panel.moc"
