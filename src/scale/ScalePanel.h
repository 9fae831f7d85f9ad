#pragma once

#include "scale/ScaleFormat.h"
#include "scale/ScaleReader.h"
#include "scale/StabilityRule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <array>

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QWidget;
class ScaleButton;
class QTimer;
class ScaleLink;
class ScaleTextStream;
class SerialLink;
class TerminalBox;
struct StationState;

// The scale connection on the main window: the two scale buttons, the hidden
// reading box Text3, the serial terminal txtTerm, the "Bağlantı" and "Tartım"
// menus, "Port Ayarları", the two network links and the serial link.
// Readings of the active scale become the live-weight caption.
class ScalePanel : public QObject
{
    Q_OBJECT
public:
    static constexpr int ScaleCount = 2;
    // The live weight while the scale it came from has no link.
    static inline const QString NoScaleCaption = QStringLiteral("Terazi yok");

    ScalePanel(StationState &state, QWidget *window, QObject *parent = nullptr);
    ~ScalePanel() override;

    // Command6(0..1) and txtTerm in `buttonParent` (the weighing frame), a
    // hidden Text3 on `surface`.
    void createControls(QWidget *buttonParent, QWidget *surface);
    // PortAyar, Baglantı (Baglan(0..1)) and Tartım (Tart(0..1)) on "Dosya".
    void addMenuEntries(QMenu *dosya);
    // First activation: switches on the links that were on at the last run,
    // without asking, then restores the button captions.
    void restoreAtStartup();

    QString text3() const;
    QString liveWeightCaption() const { return m_liveWeight; }
    // Whether the live weight is one its scale (or the station's rule for a
    // scale that reports no state) calls stable.
    bool isLiveStable() const { return m_liveState == WeightReading::State::Stable; }
    WeightReading::State liveState() const { return m_liveState; }
    // Whether the live weight may become a package as far as its scale is
    // concerned: a weight in kg or g, no older than the scale's freshness
    // limit. Stability is asked separately (isLiveStable).
    bool isLiveAddable() const;
    // The scale whose reading the live weight holds; -1 for none.
    int liveScale() const { return m_shownScale; }
    bool isScaleActive(int k) const;

    // Reads the formats, the serial scale, the polls and the stable rule
    // from the application settings again.
    void reloadScaleSettings();
    // The scale (0 or 1) whose readings come over the serial link; -1 for none.
    int serialScale() const { return m_serialScale; }

    ScaleButton *scaleButton(int k) const { return m_buttons.at(k); }
    ScaleLink &scaleLink(int k) const { return *m_links.at(k); }
    SerialLink &serialLink() const { return *m_serial; }
    QAction *portAyarAction() const { return m_portAyar; }

    // Menu and button handlers; also callable by the window.
    void Tart_Click(int k);
    void Baglan_Click(int i);
    void Command6_Click(int k);
    void Command6_RightClick(int k);
    void PortAyar_Click();

signals:
    // The caption of Label4(0): "12,345 Kg ", or NoScaleCaption.
    void liveWeightChanged(const QString &caption);

private:
    void onReadings(int k, const QStringList &texts);
    void onLinkLost(int k);
    // The live weight is no weight on the pan now.
    void showNoScale();
    void poll(int k);
    void onTartTriggered(int k);
    void paintButtons(int rgb);
    void refreshPortCaption();
    void onSerialFailed(const QString &errorText);

    StationState &m_state;
    QWidget *m_window;
    std::array<ScaleLink *, ScaleCount> m_links{};
    SerialLink *m_serial = nullptr;
    std::array<ScaleButton *, ScaleCount> m_buttons{};
    QLineEdit *m_text3 = nullptr;
    QPlainTextEdit *m_txtTerm = nullptr;
    TerminalBox *m_terminal = nullptr;
    QAction *m_portAyar = nullptr;
    std::array<QAction *, 2> m_baglan{};
    std::array<QAction *, ScaleCount> m_tart{};
    QString m_liveWeight;
    int m_shownScale = -1; // whose reading the live weight holds
    WeightReading::State m_liveState = WeightReading::State::Stable;
    std::array<ScaleReader, ScaleCount> m_readers{};
    std::array<int, ScaleCount> m_maxAgeMs{};
    QTimer *m_staleTimer = nullptr;
    qint64 m_liveAtMs = 0;
    bool m_liveInKg = false;
    std::array<StabilityRule, ScaleCount> m_rules{};
    std::array<QTimer *, ScaleCount> m_polls{};
    std::array<QByteArray, ScaleCount> m_pollRequests{};
    int m_serialScale = -1;
    ScaleTextStream *m_serialStream = nullptr;
    QElapsedTimer m_clock;
};
