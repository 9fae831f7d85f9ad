#include "ui_support/Control.h"

#include "ui_support/Colors.h"
#include "ui_support/TwipsGeometry.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

using namespace Qt::StringLiterals;

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
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget *widget, int rgbInteger)
{
    QPalette palette = widget->palette();
    const QColor color = Colors::toQColor(rgbInteger);
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setUp(QWidget *widget, const QString &name, int backColor, QRect twips, double fontPoints)
{
    widget->setObjectName(name);
    setBackColor(widget, backColor);
    TwipsGeometry::place(widget, twips.x(), twips.y(), twips.width(), twips.height(), fontPoints);
}

} // namespace Control
