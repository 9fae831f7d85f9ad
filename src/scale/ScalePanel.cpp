#include "scale/ScalePanel.h"

#include "station/SettingsStore.h"
#include "station/StationState.h"
#include "station/Windows1254.h"
#include "scale/CommPortDialog.h"
#include "ui_support/Control.h"
#include "scale/ScaleButton.h"
#include "scale/ScaleLink.h"
#include "scale/ReadingAge.h"
#include "scale/ScalePoll.h"
#include "scale/ScaleReading.h"
#include "scale/ScaleTextStream.h"
#include "scale/SerialLink.h"
#include "scale/TerminalBox.h"
#include "ui_support/Prompts.h"
#include "ui_support/TwipsGeometry.h"

#include <QAction>
#include <QLoggingCategory>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcScale)

namespace {

const QString Section = u"Properties"_s;
const QString DefaultIp = u"127.0.0.1"_s;
const QString DefaultPort = u"5555"_s;

QString numbered(const QString &name, int k)
{
    return name + QString::number(k);
}

QString regTextOr(const QString &name, const QString &fallback)
{
    const QString value = regText(ReadRegValue(name));
    return value.isEmpty() ? fallback : value;
}

QString trueFalse(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

} // namespace

ScalePanel::ScalePanel(StationState &state, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_window(window)
    , m_serial(new SerialLink(this))
    , m_serialStream(new ScaleTextStream(this))
{
    m_clock.start();
    connect(m_serial, &SerialLink::dataReceived, m_serialStream, &ScaleTextStream::feed);
    connect(m_serial, &SerialLink::openChanged, m_serialStream, &ScaleTextStream::resetMidStream);
    connect(m_serialStream, &ScaleTextStream::readingsReceived, this, [this](const QStringList &texts) {
        if (m_serialScale >= 0)
            onReadings(m_serialScale, texts);
    });
    connect(m_serial, &SerialLink::openChanged, this, [this](bool open) {
        if (!open && m_serialScale >= 0)
            onLinkLost(m_serialScale);
    });
    for (int k = 0; k < ScaleCount; ++k) {
        m_polls[k] = new QTimer(this);
        connect(m_polls[k], &QTimer::timeout, this, [this, k] { poll(k); });
        m_links[k] = new ScaleLink(k, this);
        connect(m_links[k], &ScaleLink::readingsReceived, this,
                [this, k](const QStringList &texts) { onReadings(k, texts); });
        connect(m_links[k], &ScaleLink::connectedChanged, this, [this, k](bool connected) {
            if (!connected)
                onLinkLost(k);
        });

        m_tart[k] = new QAction(QString::number(k + 1) + u".Tartım"_s, this);
        m_tart[k]->setObjectName(Control::arrayName(u"Tart"_s, k));
        m_tart[k]->setCheckable(true);
        connect(m_tart[k], &QAction::triggered, this, [this, k] { onTartTriggered(k); });
    }

    const QStringList links{u"Network"_s, u"Com Port"_s};
    for (int i = 0; i < int(m_baglan.size()); ++i) {
        m_baglan[i] = new QAction(links[i], this);
        m_baglan[i]->setObjectName(Control::arrayName(u"Baglan"_s, i));
        m_baglan[i]->setCheckable(true);
        connect(m_baglan[i], &QAction::triggered, this, [this, i] { Baglan_Click(i); });
    }

    m_portAyar = new QAction(u"Port Ayarları"_s, this);
    m_portAyar->setObjectName(u"PortAyar"_s);
    m_portAyar->setVisible(false);
    connect(m_portAyar, &QAction::triggered, this, &ScalePanel::PortAyar_Click);

    m_staleTimer = new QTimer(this);
    m_staleTimer->setSingleShot(true);
    connect(m_staleTimer, &QTimer::timeout, this, [this] {
        qCInfo(lcScale) << "scale" << m_shownScale + 1 << "sent no weight for"
                        << m_staleTimer->interval() << "ms";
        showNoScale();
    });

    connect(m_serial, &SerialLink::failed, this, &ScalePanel::onSerialFailed);
    reloadScaleSettings();
}

void ScalePanel::reloadScaleSettings()
{
    for (int k = 0; k < ScaleCount; ++k) {
        const QString name = GetAppSetting(Section, numbered(u"ScaleFormat"_s, k));
        const auto format = scaleFormatFromName(name);
        if (!format)
            qCWarning(lcScale) << "scale" << k + 1 << "unknown reading format" << name << "- classic";
        m_readers[k].setFormat(format.value_or(ScaleFormat::Classic));
        m_rules[k] = StabilityRule::fromSettings();

        const auto poll = ScalePoll::forScale(k);
        m_maxAgeMs[k] = ReadingAge::limitFromSettings(poll ? poll->intervalMs : 0);
        m_pollRequests[k] = poll ? poll->request : QByteArray();
        if (poll)
            m_polls[k]->start(poll->intervalMs);
        else
            m_polls[k]->stop();
    }
    const QString serial = GetAppSetting(Section, u"SerialScale"_s).trimmed();
    m_serialScale = serial == u"1"_s ? 0 : serial == u"2"_s ? 1 : -1;
}

void ScalePanel::poll(int k)
{
    // Asked over whichever link the scale uses; a closed link is not asked.
    if (k == m_serialScale)
        m_serial->write(m_pollRequests[k]);
    else
        m_links[k]->write(m_pollRequests[k]);
}

ScalePanel::~ScalePanel() = default;

void ScalePanel::createControls(QWidget *buttonParent, QWidget *surface)
{
    const std::array<int, ScaleCount> lefts{11400, 13290};
    for (int k = 0; k < ScaleCount; ++k) {
        auto *button = new ScaleButton(QString::number(k + 1) + u".Terazi"_s, buttonParent);
        button->setObjectName(Control::arrayName(u"Command6"_s, k));
        TwipsGeometry::place(button, lefts[k], 120, 1800, 900, 14);
        connect(button, &ScaleButton::clicked, this, [this, k] { Command6_Click(k); });
        connect(button, &ScaleButton::rightPressed, this, [this, k] { Command6_RightClick(k); });
        m_buttons[k] = button;
    }

    m_txtTerm = new QPlainTextEdit(buttonParent);
    m_txtTerm->setObjectName(u"txtTerm"_s);
    m_txtTerm->setReadOnly(true);
    TwipsGeometry::place(m_txtTerm, 240, 8520, 10900, 1800);
    m_terminal = new TerminalBox(m_txtTerm, this);
    connect(m_serial, &SerialLink::dataReceived, m_terminal,
            [this](const QByteArray &bytes) { m_terminal->AppendTerminalText(Windows1254::decode(bytes)); });

    // Only a holder of the formatted reading; the live weight is Label4(0).
    m_text3 = new QLineEdit(surface);
    m_text3->setObjectName(u"Text3"_s);
    m_text3->hide();
}

void ScalePanel::addMenuEntries(QMenu *dosya)
{
    dosya->addAction(m_portAyar);

    QMenu *baglanti = dosya->addMenu(u"Bağlantı"_s);
    baglanti->setObjectName(u"Baglantı"_s);
    for (QAction *action : m_baglan)
        baglanti->addAction(action);

    QMenu *tartim = dosya->addMenu(u"Tartım"_s);
    tartim->setObjectName(u"Tartım"_s);
    for (QAction *action : m_tart)
        tartim->addAction(action);
}

void ScalePanel::restoreAtStartup()
{
    for (int k = 0; k < ScaleCount; ++k) {
        if (regBool(ReadRegValue(numbered(u"Tart"_s, k))))
            Tart_Click(k);
    }
    // A name never given keeps the button's own caption.
    for (int k = 0; k < ScaleCount; ++k) {
        if (const auto caption = ReadRegValue(numbered(u"Terazi"_s, k)))
            m_buttons[k]->setText(*caption);
    }
}

QString ScalePanel::text3() const
{
    return m_text3 ? m_text3->text() : QString();
}

bool ScalePanel::isScaleActive(int k) const
{
    return m_buttons[k] && m_buttons[k]->isActive();
}

void ScalePanel::Tart_Click(int k)
{
    m_tart[k]->trigger();
}

void ScalePanel::onTartTriggered(int k)
{
    // The action has already toggled its check mark.
    paintButtons(ScaleButton::Yellow);
    bool on = m_tart[k]->isChecked();
    if (!on) {
        m_links[k]->close();
    } else {
        QString ip = regTextOr(numbered(u"IpNo"_s, k), DefaultIp);
        QString port = regTextOr(numbered(u"PortNo"_s, k), DefaultPort);
        if (!m_state.startingUp()) {
            Prompts &prompts = Prompts::instance();
            const QString scale = QString::number(k + 1);
            ip = prompts
                     .inputBox(m_window, scale + u". Terazi Ip Numarasını Giriniz."_s,
                               u"Terazi Ip No"_s, ip)
                     .value_or(QString());
            if (!ip.isEmpty()) {
                WriteRegValue(numbered(u"IpNo"_s, k), ip);
                port = prompts
                           .inputBox(m_window, scale + u". Terazi Port Numarasını Giriniz."_s,
                                     u"Terazi Port No"_s, port)
                           .value_or(QString());
                if (!port.isEmpty())
                    WriteRegValue(numbered(u"PortNo"_s, k), port);
            }
            on = !ip.isEmpty() && !port.isEmpty();
        }
        if (on)
            m_links[k]->ConnectScaleLink(ip, port);
    }

    m_tart[k]->setChecked(on);
    if (m_buttons[k])
        m_buttons[k]->setEnabled(on);
    if (on && m_buttons[0])
        m_buttons[0]->setBackColor(ScaleButton::Green);
    WriteRegValue(numbered(u"Tart"_s, k), trueFalse(m_tart[k]->isChecked()));
}

void ScalePanel::Baglan_Click(int i)
{
    for (QAction *action : m_baglan)
        action->setChecked(false);
    m_baglan[i]->setChecked(true);

    if (i == 1) {
        m_portAyar->setVisible(true);
        Prompts &prompts = Prompts::instance();
        const QString settings = GetAppSetting(Section, u"Settings"_s);
        if (!settings.isEmpty() && !m_serial->setSettings(settings)) {
            prompts.exclamation(m_window, m_serial->errorString());
            return;
        }
        bool pending = false;
        const QString commPort = GetAppSetting(Section, u"CommPort"_s);
        if (!commPort.isEmpty())
            pending = !m_serial->setCommPort(commPort.toInt());
        const QString handshaking = GetAppSetting(Section, u"Handshaking"_s);
        if (!handshaking.isEmpty()) {
            pending = !m_serial->setHandshaking(handshaking.toInt()) || pending;
            if (pending) {
                prompts.exclamation(m_window, m_serial->errorString());
                return;
            }
        }
        // An operator who chose the serial scale hears why it stays silent.
        if (!m_serial->open())
            prompts.exclamation(m_window, m_serial->errorString());
    } else {
        const QString ip = regTextOr(u"IpNo0"_s, DefaultIp);
        const QString port = regTextOr(u"PortNo0"_s, DefaultPort);
        if (m_buttons[0] && !m_buttons[0]->isHidden()) {
            m_portAyar->setVisible(true);
            m_links[0]->ConnectScaleLink(ip, port);
            if (m_links[0]->isConnected())
                m_buttons[0]->setBackColor(ScaleButton::Green);
        }
    }
    SaveAppSetting(Section, u"Baglan"_s, QString::number(i));
}

void ScalePanel::Command6_Click(int k)
{
    paintButtons(ScaleButton::Yellow);
    m_buttons[k]->setBackColor(ScaleButton::Green);
}

void ScalePanel::Command6_RightClick(int k)
{
    ScaleButton *button = m_buttons[k];
    const QString scale = QString::number(k + 1);
    const auto name = Prompts::instance().inputBox(
        m_window, scale + u".Terazi İçin İsim Girin"_s, scale + u"Buton İsmi"_s,
        scale + u".Terazi"_s, button->mapToGlobal(QPoint(0, button->height())));
    // Cancel keeps the name the button has.
    if (!name)
        return;
    button->setText(*name);
    WriteRegValue(numbered(u"Terazi"_s, k), button->text());
}

void ScalePanel::PortAyar_Click()
{
    m_serial->close();
    CommPortDialog dialog(*m_serial, m_window);
    dialog.exec();
    reloadScaleSettings();
    refreshPortCaption();
}

void ScalePanel::onReadings(int k, const QStringList &texts)
{
    if (!isScaleActive(k))
        return;
    const qint64 now = m_clock.elapsed();
    std::optional<WeightReading> picked = m_readers[k].read(texts, now);
    if (!picked)
        return; // tare lines: the live weight waits for the package's weight
    WeightReading &reading = *picked;
    if (reading.state == WeightReading::State::Unreported) {
        // A scale that tells no state: the station's rule, when set, judges it.
        const bool stable = reading.kg ? m_rules[k].add(now, *reading.kg)
                                       : (m_rules[k].clear(), true);
        reading.state = stable ? WeightReading::State::Stable : WeightReading::State::Moving;
    }
    if (!reading.refusedUnit.isEmpty() && (m_shownScale != k || m_liveInKg))
        qCWarning(lcScale) << "scale" << k + 1 << "weighs in" << reading.refusedUnit
                           << "- shown, never added";
    m_liveState = reading.state;
    // A busy scale sends no weight: the caption stays, the state does not.
    if (!reading.display.isNull() && m_text3)
        m_text3->setText(reading.refusedUnit.isEmpty() ? reading.display + u" Kg"_s : reading.display);
    if (!reading.display.isNull() || m_shownScale == k) {
        m_shownScale = k;
        if (!reading.display.isNull())
            m_liveInKg = reading.kg.has_value();
        m_liveAtMs = now;
        if (m_maxAgeMs[k] > 0)
            m_staleTimer->start(m_maxAgeMs[k]);
        else
            m_staleTimer->stop();
        m_liveWeight = text3() + u' ';
    }
    emit liveWeightChanged(m_liveWeight);
}

bool ScalePanel::isLiveAddable() const
{
    return m_shownScale >= 0 && m_liveInKg
        && ReadingAge::isFresh(m_clock.elapsed() - m_liveAtMs, m_maxAgeMs[m_shownScale]);
}

void ScalePanel::onLinkLost(int k)
{
    // The last weight of a scale that is gone is no weight on the pan now.
    if (m_shownScale != k && !isScaleActive(k))
        return;
    showNoScale();
}

void ScalePanel::showNoScale()
{
    m_staleTimer->stop();
    m_shownScale = -1;
    m_liveInKg = false;
    m_liveState = WeightReading::State::Stable;
    if (m_text3)
        m_text3->clear();
    m_liveWeight = NoScaleCaption;
    emit liveWeightChanged(m_liveWeight);
}

void ScalePanel::paintButtons(int rgb)
{
    for (ScaleButton *button : m_buttons) {
        if (button)
            button->setBackColor(rgb);
    }
}

void ScalePanel::refreshPortCaption()
{
    m_portAyar->setText(m_serial->isOpen()
                            ? u"Port Ayar Com="_s + QString::number(m_serial->commPort())
                            : u"Port Ayarları"_s);
}

void ScalePanel::onSerialFailed(const QString &errorText)
{
    refreshPortCaption();
    Prompts::instance().exclamation(m_window, errorText);
}
