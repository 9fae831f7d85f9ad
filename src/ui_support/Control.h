#pragma once

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

} // namespace Control
