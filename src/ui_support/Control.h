#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Small helpers the screens share for their controls.
namespace Control {

// "Command2" and 1 -> "Command2(1)".
QString arrayName(const QString &name, int index);

// The back colour as the RGB integer the screens compare, and setting it.
int backColor(const QWidget *widget);
void setBackColor(QWidget *widget, int rgbInteger);
void setForeColor(QWidget *widget, int rgbInteger);

// Names a control, gives it its back colour and places it at its twips
// rectangle with a font of `fontPoints` (0 keeps the inherited size).
void setUp(QWidget *widget, const QString &name, int backColor, QRect twips, double fontPoints);

} // namespace Control
