#pragma once

#include "printing/PagePicture.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>

class QPainter;

// One drawing step of a page, in twips.
struct PageOp
{
    enum class Kind { Text, Line, Rect, Ellipse, Picture };

    Kind kind = Kind::Line;
    QPointF at;   // Text: top-left corner of the text
    QLineF line;  // Line
    QRectF rect;  // Rect, Ellipse, Picture
    QString text; // Text
    QFont font;   // Text
    qreal penWidth = 0; // Line, Rect, Ellipse
    std::shared_ptr<const PagePicture> picture;
};

// The steps of one page in drawing order. A page is recorded first and
// replayed once its final size is known, so roll paper that grows while it is
// drawn still comes out as one page, and the preview and the paper are drawn
// from the same steps.
class PageRecording
{
public:
    void append(PageOp op) { m_ops.append(std::move(op)); }
    void clear() { m_ops.clear(); }
    const QList<PageOp> &ops() const { return m_ops; }
    bool isEmpty() const { return m_ops.isEmpty(); }

    // Draws the steps on a painter whose transform maps twips to the device.
    void replay(QPainter &painter) const;

private:
    QList<PageOp> m_ops;
};
