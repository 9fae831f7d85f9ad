#pragma once

#include "ui_support/CaptionLabel.h"

// A caption label that shows its whole caption: a caption wider than the
// label is drawn in a smaller font instead of being cut at an edge, so a
// long number never loses digits on screen.
class FittingCaptionLabel : public CaptionLabel
{
    Q_OBJECT
public:
    using CaptionLabel::CaptionLabel;

    // The font the caption is drawn in at the label's present size.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect room() const;
};
