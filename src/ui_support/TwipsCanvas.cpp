#include "ui_support/TwipsCanvas.h"

#include "ui_support/TwipsGeometry.h"

#include <QResizeEvent>

TwipsCanvas::TwipsCanvas(QWidget *parent)
    : QWidget(parent)
{
    setProperty("tavranScale", m_scale);
}

void TwipsCanvas::relayout()
{
    setProperty("tavranScale", m_scale);
    const auto children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        TwipsGeometry::apply(child, m_scale);
}

void TwipsCanvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const double scale = TwipsGeometry::scaleFor(event->size().width(), event->size().height());
    if (scale != m_scale) {
        m_scale = scale;
        relayout();
    }
}
