#pragma once

#include <QString>

#include <optional>

class Journal;
class PreviewPicture;
class PrintNotice;
class QGroupBox;
class ScalePanel;
class ScrollingContainer;
class StationData;
struct StationState;

// What the screens and panels need of the main window: the shared state,
// the data, the journal, the frames they show and hide, and what the other
// screens have chosen. The window implements it; the panels hold only this.
class StationWindow
{
public:
    // The folder holding the databases and the text files.
    virtual QString stationFolder() const = 0;
    virtual StationState &state() = 0;
    virtual StationData &data() = 0;
    virtual Journal &journal() = 0;

    virtual QGroupBox *girisFrm() const = 0;
    virtual QGroupBox *frame1() const = 0;
    virtual QGroupBox *frame2() const = 0;
    virtual QGroupBox *frame3() const = 0;
    virtual ScrollingContainer *scrllngFrm1() const = 0;
    virtual PreviewPicture *picture2() const = 0;
    virtual PrintNotice *printNotice() const = 0;
    virtual ScalePanel &scalePanel() = 0;

    // The customer as typed or tapped (MusTxt), the entry chosen in List1,
    // the product chosen in List2 (none when nothing is selected), and the
    // logged-in member (empty for "PERSONEL YOK").
    virtual QString customerTitle() const = 0;
    virtual QString listedCustomer() const = 0;
    virtual std::optional<QString> pickedProduct() const = 0;
    virtual QString staffName() const = 0;

    // Shows or hides the "Dosya" menu (shown after a login).
    virtual void setDosyaVisible(bool visible) = 0;
    // Whether the order rows table holds rows.
    virtual bool orderHasRows() = 0;

protected:
    ~StationWindow() = default;
};
