#include "ui_support/TwipsGeometry.h"

#include <QFont>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace TwipsGeometry {
namespace {
constexpr char RectProperty[] = "tavranTwipsRect";
constexpr char FontProperty[] = "tavranFontPoints";
constexpr char ScaleProperty[] = "tavranScale";

void applyOne(QWidget *widget, double scale)
{
    const QVariant rect = widget->property(RectProperty);
    if (rect.isValid()) {
        const QRect r = rect.toRect();
        const int left = toPixels(r.left(), scale);
        const int top = toPixels(r.top(), scale);
        const int right = toPixels(r.left() + r.width(), scale);
        const int bottom = toPixels(r.top() + r.height(), scale);
        widget->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
    }
    const QVariant points = widget->property(FontProperty);
    if (points.isValid() && points.toDouble() > 0) {
        QFont font = widget->font();
        // Points are at 96 dpi on the design screen: 1 pt = 4/3 px.
        font.setPixelSize(std::max(1, int(std::lround(points.toDouble() * 4.0 / 3.0 * scale))));
        widget->setFont(font);
    }
    widget->setProperty(ScaleProperty, scale);
}
} // namespace

void place(QWidget *widget, int left, int top, int width, int height, double fontPoints)
{
    widget->setProperty(RectProperty, QRect(left, top, width, height));
    if (fontPoints > 0)
        widget->setProperty(FontProperty, fontPoints);
    applyOne(widget, currentScale(widget->parentWidget() ? widget->parentWidget() : widget));
}

void setTop(QWidget *widget, int top)
{
    QRect r = twipsRect(widget);
    r.moveTop(top);
    place(widget, r.left(), r.top(), r.width(), r.height());
}

void setLeft(QWidget *widget, int left)
{
    QRect r = twipsRect(widget);
    r.moveLeft(left);
    place(widget, r.left(), r.top(), r.width(), r.height());
}

QRect twipsRect(const QWidget *widget)
{
    return widget->property(RectProperty).toRect();
}

double scaleFor(int pixelWidth, int pixelHeight)
{
    const double sx = pixelWidth * TwipsPerPixel / SurfaceWidth;
    const double sy = pixelHeight * TwipsPerPixel / SurfaceHeight;
    return std::max(0.2, std::min(sx, sy));
}

void apply(QWidget *root, double scale)
{
    applyOne(root, scale);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        applyOne(child, scale);
}

double currentScale(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant scale = w->property(ScaleProperty);
        if (scale.isValid())
            return scale.toDouble();
    }
    return 1.0;
}

int toPixels(int twips, double scale)
{
    return int(std::lround(twips / TwipsPerPixel * scale));
}

} // namespace TwipsGeometry
