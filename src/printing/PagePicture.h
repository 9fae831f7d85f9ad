#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// A picture the page operations can place with PaintPicture. It draws itself
// into a rectangle given in twips on a painter whose transform maps twips to
// the device, so it can line itself up with the device's dots.
class PagePicture
{
public:
    virtual ~PagePicture() = default;

    // Size at which the callers paint it, in twips.
    virtual QSizeF sizeTwips() const = 0;

    virtual void paint(QPainter &painter, const QRectF &targetTwips) const = 0;

    // Why the picture cannot be printed faithfully at `size` on a device of
    // `dotsPerInch`; empty when it can.
    virtual QString unprintableReason(const QSizeF &size, qreal dotsPerInch) const
    {
        Q_UNUSED(size);
        Q_UNUSED(dotsPerInch);
        return {};
    }
};
