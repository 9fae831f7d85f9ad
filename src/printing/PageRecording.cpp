#include "printing/PageRecording.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace {

QPen blackPen(qreal width)
{
    QPen pen(Qt::black);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void PageRecording::replay(QPainter &painter) const
{
    for (const PageOp &op : m_ops) {
        painter.save();
        switch (op.kind) {
        case PageOp::Kind::Text: {
            painter.setFont(op.font);
            painter.setPen(Qt::black);
            const QFontMetricsF metrics(op.font);
            painter.drawText(QPointF(op.at.x(), op.at.y() + metrics.ascent()), op.text);
            break;
        }
        case PageOp::Kind::Line:
            painter.setPen(blackPen(op.penWidth));
            painter.drawLine(op.line);
            break;
        case PageOp::Kind::Rect:
            painter.setPen(blackPen(op.penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(op.rect);
            break;
        case PageOp::Kind::Ellipse:
            painter.setPen(blackPen(op.penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawEllipse(op.rect);
            break;
        case PageOp::Kind::Picture:
            if (op.picture)
                op.picture->paint(painter, op.rect);
            break;
        }
        painter.restore();
    }
}
