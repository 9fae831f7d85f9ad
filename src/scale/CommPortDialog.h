#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;
class SerialLink;

// "CommPort Properties" (frmProperties): port, speed, data bits, parity, stop
// bits, flow control and echo of the serial link. OK applies the values to the
// link, saves them in the application settings and opens the port; a value
// the link refuses is shown and the dialog stays open. Its "Terazi" page
// sets which scale the serial link feeds (SerialScale), each scale's reading
// format (ScaleFormat0/1) and poll (ScalePoll0/1).
class CommPortDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CommPortDialog(SerialLink &link, QWidget *parent = nullptr);

    // Fills the lists and shows the link's current values.
    void LoadPropertySettings();

    int handshakeValue() const { return m_handshake; }
    bool echo() const { return m_echo; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    QWidget *buildScalePage(QWidget *parent);
    // False, with the reason shown, for a poll that cannot be read.
    bool checkScalePage();
    void saveScalePage();
    void cmdOK_Click();

    SerialLink &m_link;
    QComboBox *m_port = nullptr;
    QComboBox *m_speed = nullptr;
    QComboBox *m_dataBits = nullptr;
    QComboBox *m_parity = nullptr;
    QComboBox *m_stopBits = nullptr;
    std::array<QRadioButton *, 4> m_flow{};
    std::array<QRadioButton *, 2> m_echoOptions{};
    QComboBox *m_serialScale = nullptr;
    std::array<QComboBox *, 2> m_formats{};
    std::array<QLineEdit *, 2> m_polls{};
    int m_handshake = 0;
    bool m_echo = false;
};
