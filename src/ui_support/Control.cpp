#include "ui_support/Control.h"

#include "ui_support/Colors.h"
#include "ui_support/TwipsGeometry.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// A disabled control turns flat grey with grey text, so a greyed button
// never passes for a live green or yellow one.
constexpr QRgb DisabledBack = qRgb(190, 190, 190);
constexpr QRgb DisabledText = qRgb(105, 105, 105);

} // namespace

namespace Control {

QString arrayName(const QString &name, int index)
{
    return name + u'(' + QString::number(index) + u')';
}

int backColor(const QWidget *widget)
{
    const QVariant stored = widget->property("tavranBackColor");
    return stored.isValid() ? stored.toInt() : Colors::fromQColor(widget->palette().color(QPalette::Window));
}

void setBackColor(QWidget *widget, int rgbInteger)
{
    widget->setProperty("tavranBackColor", rgbInteger);
    QPalette palette = widget->palette();
    const QColor color = Colors::toQColor(rgbInteger);
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    palette.setColor(QPalette::Base, color);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(QPalette::Disabled, role, QColor(DisabledBack));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor(DisabledText));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget *widget, int rgbInteger)
{
    QPalette palette = widget->palette();
    const QColor color = Colors::toQColor(rgbInteger);
    // The disabled text stays as the back colour left it.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::ButtonText, color);
        palette.setColor(group, QPalette::Text, color);
    }
    widget->setPalette(palette);
}

void setUp(QWidget *widget, const QString &name, int backColor, QRect twips, double fontPoints)
{
    widget->setObjectName(name);
    setBackColor(widget, backColor);
    TwipsGeometry::place(widget, twips.x(), twips.y(), twips.width(), twips.height(), fontPoints);
}

} // namespace Control
