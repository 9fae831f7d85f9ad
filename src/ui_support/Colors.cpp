#include "ui_support/Colors.h"

namespace Colors {

QColor toQColor(int rgbInteger)
{
    return QColor(rgbInteger & 0xFF, (rgbInteger >> 8) & 0xFF, (rgbInteger >> 16) & 0xFF);
}

int fromQColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace Colors
