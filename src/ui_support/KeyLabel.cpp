#include "ui_support/KeyLabel.h"

#include <QMouseEvent>

KeyLabel::KeyLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignCenter);
}

void KeyLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit pointed();
    event->accept();
}

void KeyLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit pointed();
    event->accept();
}

void KeyLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
