#include "ui_support/CaptionLabel.h"

void CaptionLabel::setCaption(const QString &caption)
{
    setText(caption);
    emit changed();
}

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
