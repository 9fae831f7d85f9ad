#include "printing/PrinterSurface.h"

#include <QFontMetricsF>
#include "printing/PrintingLog.h"

#include <QLoggingCategory>
#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPrinting, "tavran.printing")

PrinterSurface::PrinterSurface(QSize pageTwips)
    : m_width(pageTwips.width()),
      m_height(pageTwips.height()),
      m_fontName(u"Arial"_s)
{
    updateFont();
}

PrinterSurface::~PrinterSurface() = default;

void PrinterSurface::setHeight(int twips)
{
    m_height = qMax(1, twips);
    pageChanged();
}

void PrinterSurface::setFontName(const QString &name)
{
    m_fontName = name;
    updateFont();
}

void PrinterSurface::setFontSize(qreal points)
{
    if (!(points > 0) || !std::isfinite(points))
        return;
    m_fontSize = points;
    updateFont();
}

void PrinterSurface::setFontBold(bool bold)
{
    m_fontBold = bold;
    updateFont();
}

void PrinterSurface::setDrawWidth(int width)
{
    m_drawWidth = qMax(1, width);
}

QString PrinterSurface::fontFamilyFor(const QString &name)
{
    // The faces of fonts-liberation have the metrics of the faces the layouts
    // were designed with.
    const QString key = name.trimmed();
    if (key.compare(u"Times New Roman"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Serif"_s;
    if (key.compare(u"Courier New"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Mono"_s;
    if (key.isEmpty() || key.compare(u"Arial"_s, Qt::CaseInsensitive) == 0)
        return u"Liberation Sans"_s;
    return key;
}

void PrinterSurface::updateFont()
{
    QFont font(fontFamilyFor(m_fontName));
    font.setPixelSize(qMax(1, qRound(m_fontSize * TwipsPerPoint)));
    font.setBold(m_fontBold);
    // Unhinted outlines measure the same at every resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false);
    m_font = font;
}

qreal PrinterSurface::textWidth(const QString &text) const
{
    return QFontMetricsF(m_font).horizontalAdvance(text);
}

qreal PrinterSurface::textHeight(const QString &text) const
{
    const QFontMetricsF metrics(m_font);
    const qsizetype lines = text.count(u'\n') + 1;
    return metrics.height() * qreal(lines);
}

void PrinterSurface::printCentred(const QString &text)
{
    setCurrentX((width() - textWidth(text)) / 2);
    print(text);
}

void PrinterSurface::printStay(const QString &text)
{
    if (text.isEmpty())
        return;
    PageOp op;
    op.kind = PageOp::Kind::Text;
    op.at = QPointF(m_currentX, m_currentY);
    op.text = text;
    op.font = m_font;
    record(std::move(op));
    m_currentX += textWidth(text);
}

void PrinterSurface::print(const QString &text)
{
    printStay(text);
    m_currentX = 0;
    m_currentY += textHeight();
}

void PrinterSurface::line(qreal x1, qreal y1, qreal x2, qreal y2)
{
    PageOp op;
    op.kind = PageOp::Kind::Line;
    op.line = QLineF(x1, y1, x2, y2);
    op.penWidth = penWidth();
    record(std::move(op));
}

void PrinterSurface::box(qreal x1, qreal y1, qreal x2, qreal y2)
{
    PageOp op;
    op.kind = PageOp::Kind::Rect;
    op.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    op.penWidth = penWidth();
    record(std::move(op));
}

void PrinterSurface::circle(qreal centreX, qreal centreY, qreal radius, qreal aspect)
{
    if (!(aspect > 0) || !std::isfinite(aspect))
        aspect = 1.0;
    const qreal rx = aspect <= 1.0 ? radius : radius / aspect;
    const qreal ry = aspect <= 1.0 ? radius * aspect : radius;
    PageOp op;
    op.kind = PageOp::Kind::Ellipse;
    op.rect = QRectF(centreX - rx, centreY - ry, 2 * rx, 2 * ry);
    op.penWidth = penWidth();
    record(std::move(op));
}

bool PrinterSurface::paintPicture(std::shared_ptr<const PagePicture> picture, qreal x, qreal y,
                                  qreal w, qreal h)
{
    if (!picture) {
        fail(u"basılacak resim yok"_s);
        return false;
    }
    if (const qreal dpi = deviceDotsPerInch(); dpi > 0) {
        const QString reason = picture->unprintableReason(QSizeF(w, h), dpi);
        if (!reason.isEmpty()) {
            fail(reason);
            return false;
        }
    }
    PageOp op;
    op.kind = PageOp::Kind::Picture;
    op.rect = QRectF(x, y, w, h);
    op.picture = std::move(picture);
    record(std::move(op));
    return true;
}

void PrinterSurface::cls()
{
    m_recording.clear();
    m_currentX = 0;
    m_currentY = 0;
    pageChanged();
}

void PrinterSurface::record(PageOp op)
{
    m_recording.append(std::move(op));
    pageChanged();
}

void PrinterSurface::fail(const QString &reason)
{
    qCWarning(lcPrinting) << "page failed:" << reason;
    if (m_failure.isEmpty())
        m_failure = reason.isEmpty() ? u"bilinmeyen hata"_s : reason;
}

QImage PrinterSurface::toImage(qreal dotsPerInch) const
{
    const qreal scale = dotsPerInch / TwipsPerInch;
    QImage image(qMax(1, qCeil(m_width * scale)), qMax(1, qCeil(m_height * scale)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    render(painter);
    return image;
}
