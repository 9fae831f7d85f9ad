#include "ui_support/ScrollingContainer.h"

ScrollingContainer::ScrollingContainer(QWidget *parent)
    : QScrollArea(parent)
{
    setBackgroundRole(QPalette::Dark);
    setWidgetResizable(false);
}

void ScrollingContainer::Attatch(QWidget *child)
{
    setWidget(child);
    child->move(0, 0);
}

QWidget *ScrollingContainer::Detatch()
{
    return takeWidget();
}
