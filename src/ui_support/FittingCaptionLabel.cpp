#include "ui_support/FittingCaptionLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

QRect FittingCaptionLabel::room() const
{
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

QFont FittingCaptionLabel::shownFont() const
{
    QFont shown = font();
    const int width = room().width();
    int needed = QFontMetrics(shown).horizontalAdvance(text());
    if (needed <= width || needed == 0)
        return shown;
    // Glyph widths do not shrink quite in proportion: step down until it fits.
    const bool pixels = shown.pixelSize() > 0;
    double size = pixels ? shown.pixelSize() : shown.pointSizeF();
    size = std::max(1.0, std::floor(size * width / needed));
    for (;;) {
        if (pixels)
            shown.setPixelSize(int(size));
        else
            shown.setPointSizeF(size);
        needed = QFontMetrics(shown).horizontalAdvance(text());
        if (needed <= width || size <= 1.0)
            return shown;
        size -= 1.0;
    }
}

void FittingCaptionLabel::paintEvent(QPaintEvent *event)
{
    const QFont shown = shownFont();
    if (shown == font()) {
        CaptionLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(shown);
    style()->drawItemText(&painter, room(), int(alignment()), palette(), isEnabled(), text(),
                          foregroundRole());
}
