#include "scale/ScaleButton.h"

#include <QColor>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

ScaleButton::ScaleButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setBackColor(m_backColor);
}

void ScaleButton::setBackColor(int rgb)
{
    m_backColor = rgb;
    // Colours are kept as blue * 65536 + green * 256 + red.
    const QColor colour(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    setStyleSheet(u"QPushButton { background-color: %1; color: black; }"_s.arg(colour.name()));
}

void ScaleButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit rightPressed();
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}
