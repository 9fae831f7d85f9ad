#include "printing/PreviewPicture.h"

#include "ui_support/TwipsGeometry.h"

#include <QPainter>

using namespace Qt::StringLiterals;

PreviewPicture::Page::Page(QSize twips, PreviewPicture *owner)
    : PrinterSurface(twips),
      m_owner(owner)
{
}

void PreviewPicture::Page::pageChanged()
{
    m_owner->followPage();
}

PreviewPicture::PreviewPicture(QSize pageTwips, QWidget *parent)
    : QWidget(parent),
      m_page(pageTwips, this)
{
    setObjectName(u"Picture2"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    TwipsGeometry::place(this, 0, 0, m_page.width(), m_page.height());
}

void PreviewPicture::followPage()
{
    const QRect twips = TwipsGeometry::twipsRect(this);
    if (twips.width() != m_page.width() || twips.height() != m_page.height())
        TwipsGeometry::place(this, twips.left(), twips.top(), m_page.width(), m_page.height());
    update();
}

void PreviewPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qreal(width()) / m_page.width();
    painter.scale(scale, scale);
    m_page.render(painter);
}
