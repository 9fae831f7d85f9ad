#include "scale/CommPortDialog.h"

#include "station/SettingsStore.h"
#include "ui_support/Control.h"
#include "scale/ScaleFormat.h"
#include "scale/ScalePoll.h"
#include "scale/SerialLink.h"
#include "scale/SerialSettings.h"
#include "ui_support/Prompts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString Section = u"Properties"_s;
constexpr int PortCount = 16;

QComboBox *comboBox(const QString &name, bool editable, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    return box;
}

// Option buttons `name`(0..) in `frame`; `chosen` runs with the index of the
// one turned on, by a click or by code.
template <std::size_t N>
void addOptions(QGroupBox *frame, const QString &name, const QStringList &captions,
                std::array<QRadioButton *, N> &options, const std::function<void(int)> &chosen)
{
    auto *layout = new QVBoxLayout(frame);
    for (int i = 0; i < int(N); ++i) {
        options[i] = new QRadioButton(captions.value(i), frame);
        options[i]->setObjectName(Control::arrayName(name, i));
        layout->addWidget(options[i]);
        QObject::connect(options[i], &QRadioButton::toggled, frame, [chosen, i](bool on) {
            if (on)
                chosen(i);
        });
    }
}

} // namespace

CommPortDialog::CommPortDialog(SerialLink &link, QWidget *parent)
    : QDialog(parent)
    , m_link(link)
{
    setObjectName(u"frmProperties"_s);
    setWindowTitle(u"CommPort Properties"_s);
    setModal(true);
    buildControls();
    LoadPropertySettings();
}

void CommPortDialog::buildControls()
{
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"tabSettings"_s);
    auto *frame = new QWidget(tabs);
    frame->setObjectName(u"fraSettings"_s);
    tabs->addTab(frame, u"Properties"_s);

    m_port = comboBox(u"cboPort"_s, false, frame);
    m_speed = comboBox(u"cboSpeed"_s, true, frame);
    m_dataBits = comboBox(u"cboDataBits"_s, true, frame);
    m_parity = comboBox(u"cboParity"_s, false, frame);
    m_stopBits = comboBox(u"cboStopBits"_s, true, frame);

    auto *portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel(u"Port:"_s, frame));
    portRow->addWidget(m_port, 1);

    auto *speedFrame = new QGroupBox(u"Maximum Speed"_s, frame);
    auto *speedLayout = new QVBoxLayout(speedFrame);
    speedLayout->addWidget(m_speed);

    auto *preferences = new QGroupBox(u"Connection Preferences"_s, frame);
    auto *preferenceLayout = new QFormLayout(preferences);
    preferenceLayout->addRow(u"Data Bits:"_s, m_dataBits);
    preferenceLayout->addRow(u"Parity:"_s, m_parity);
    preferenceLayout->addRow(u"Stop Bits:"_s, m_stopBits);

    auto *flowFrame = new QGroupBox(u"&Flow Control"_s, frame);
    addOptions(flowFrame, u"optFlow"_s, {u"None"_s, u"Xon/Xoff"_s, u"RTS"_s, u"Xon/RTS"_s},
               m_flow, [this](int i) { m_handshake = i; });
    auto *echoFrame = new QGroupBox(u"&Echo"_s, frame);
    addOptions(echoFrame, u"optEcho"_s, {u"Off"_s, u"On"_s}, m_echoOptions,
               [this](int i) { m_echo = i == 1; });

    auto *left = new QVBoxLayout;
    left->addLayout(portRow);
    left->addWidget(speedFrame);
    left->addWidget(preferences);
    auto *right = new QVBoxLayout;
    right->addWidget(flowFrame);
    right->addWidget(echoFrame);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addLayout(left);
    frameLayout->addLayout(right);

    tabs->addTab(buildScalePage(tabs), u"Terazi"_s);

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    auto *cancel = new QPushButton(u"Cancel"_s, this);
    cancel->setObjectName(u"cmdCancel"_s);
    connect(ok, &QPushButton::clicked, this, &CommPortDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
}

QWidget *CommPortDialog::buildScalePage(QWidget *parent)
{
    auto *page = new QWidget(parent);
    page->setObjectName(u"fraScales"_s);
    auto *layout = new QFormLayout(page);
    m_serialScale = comboBox(u"cboSerialScale"_s, false, page);
    m_serialScale->addItems({u"Yok"_s, u"1.Terazi"_s, u"2.Terazi"_s});
    const QString serial = GetAppSetting(Section, u"SerialScale"_s).trimmed();
    m_serialScale->setCurrentIndex(serial == u"1"_s ? 1 : serial == u"2"_s ? 2 : 0);
    layout->addRow(u"Seri porttaki terazi:"_s, m_serialScale);
    for (int k = 0; k < int(m_formats.size()); ++k) {
        const QString scale = QString::number(k + 1);
        m_formats[k] = comboBox(Control::arrayName(u"cboFormat"_s, k), false, page);
        for (const ScaleFormat format :
             {ScaleFormat::Classic, ScaleFormat::StGs, ScaleFormat::Sics, ScaleFormat::Auto})
            m_formats[k]->addItem(scaleFormatName(format));
        const auto format = scaleFormatFromName(GetAppSetting(Section, u"ScaleFormat"_s + QString::number(k)));
        m_formats[k]->setCurrentText(scaleFormatName(format.value_or(ScaleFormat::Classic)));
        layout->addRow(scale + u".Terazi okuma biçimi:"_s, m_formats[k]);

        m_polls[k] = new QLineEdit(GetAppSetting(Section, u"ScalePoll"_s + QString::number(k)), page);
        m_polls[k]->setObjectName(Control::arrayName(u"txtPoll"_s, k));
        m_polls[k]->setPlaceholderText(u"500 SI\\r\\n"_s);
        layout->addRow(scale + u".Terazi sorgusu (ms ve metin):"_s, m_polls[k]);
    }
    return page;
}

bool CommPortDialog::checkScalePage()
{
    for (int k = 0; k < int(m_polls.size()); ++k) {
        const QString poll = m_polls[k]->text().trimmed();
        if (!poll.isEmpty() && !ScalePoll::parse(poll)) {
            Prompts::instance().exclamation(
                this, QString::number(k + 1)
                          + u".Terazi sorgusu okunamadı: önce en az %1 ms, bir boşluk, sonra metin (500 SI\\r\\n)."_s
                                .arg(ScalePoll::ShortestInterval));
            return false;
        }
    }
    return true;
}

void CommPortDialog::saveScalePage()
{
    const int serial = m_serialScale->currentIndex();
    SaveAppSetting(Section, u"SerialScale"_s, serial > 0 ? QString::number(serial) : QString());
    for (int k = 0; k < int(m_formats.size()); ++k) {
        SaveAppSetting(Section, u"ScaleFormat"_s + QString::number(k), m_formats[k]->currentText());
        SaveAppSetting(Section, u"ScalePoll"_s + QString::number(k), m_polls[k]->text().trimmed());
    }
}

void CommPortDialog::LoadPropertySettings()
{
    m_port->clear();
    for (int port = 1; port <= PortCount; ++port)
        m_port->addItem(u"Com"_s + QString::number(port));
    m_speed->clear();
    m_speed->addItems({u"110"_s, u"300"_s, u"600"_s, u"1200"_s, u"2400"_s, u"4800"_s, u"9600"_s,
                       u"14400"_s, u"19200"_s, u"28800"_s, u"38400"_s, u"56000"_s, u"57600"_s,
                       u"115200"_s, u"128000"_s, u"256000"_s});
    m_dataBits->clear();
    m_dataBits->addItems({u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s});
    m_parity->clear();
    m_parity->addItems({u"Even"_s, u"Odd"_s, u"None"_s, u"Mark"_s, u"Space"_s});
    m_stopBits->clear();
    m_stopBits->addItems({u"1"_s, u"1.5"_s, u"2"_s});

    // The link keeps its settings valid, so they always read back.
    const SerialSettings settings =
        SerialSettings::parse(m_link.settings()).value_or(SerialSettings{});
    m_speed->setCurrentText(QString::number(settings.baudRate));
    for (int i = 0; i < m_parity->count(); ++i) {
        if (m_parity->itemText(i).front() == settings.parity)
            m_parity->setCurrentIndex(i);
    }
    m_dataBits->setCurrentText(QString::number(settings.dataBits));
    m_stopBits->setCurrentText(settings.stopBits);
    m_port->setCurrentIndex(m_link.commPort() - 1 < PortCount ? m_link.commPort() - 1 : -1);

    const int handshaking = m_link.handshaking();
    if (handshaking >= 0 && handshaking < int(m_flow.size()))
        m_flow[handshaking]->setChecked(true);
    m_echoOptions[m_echo ? 1 : 0]->setChecked(true);
}

void CommPortDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void CommPortDialog::cmdOK_Click()
{
    Prompts &prompts = Prompts::instance();
    if (!checkScalePage())
        return;
    const int oldPort = m_link.commPort();
    const int newPort = m_port->currentIndex() + 1;
    if (newPort != oldPort) {
        const bool wasOpen = m_link.isOpen();
        m_link.close();
        bool ok = m_link.setCommPort(newPort);
        if (ok && wasOpen)
            ok = m_link.open();
        if (!ok) {
            prompts.exclamation(this, m_link.errorString());
            m_link.setCommPort(oldPort);
            return;
        }
    }

    const QString parity = m_parity->currentText().left(1);
    const QString settings = m_speed->currentText().trimmed() + u',' + parity + u','
        + m_dataBits->currentText().trimmed() + u',' + m_stopBits->currentText().trimmed();
    if (!m_link.setSettings(settings)) {
        prompts.exclamation(this, m_link.errorString());
        return;
    }
    if (!m_link.setHandshaking(m_handshake)) {
        prompts.exclamation(this, m_link.errorString());
        return;
    }

    SaveAppSetting(Section, u"Settings"_s, m_link.settings());
    SaveAppSetting(Section, u"CommPort"_s, QString::number(m_link.commPort()));
    SaveAppSetting(Section, u"Handshaking"_s, QString::number(m_link.handshaking()));
    SaveAppSetting(Section, u"Echo"_s, m_echo ? u"True"_s : u"False"_s);
    saveScalePage();

    if (!m_link.open())
        prompts.exclamation(this, m_link.errorString());
    accept();
}
