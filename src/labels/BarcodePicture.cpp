#include "labels/BarcodePicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QFont digitFont(qreal pixelSize)
{
    QFont font(u"Liberation Sans"_s);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

BarcodePicture::BarcodePicture(QString code, QString symbology, QList<QRectF> bars,
                               QList<Text> texts, QSizeF symbolModules, qreal barHeight,
                               QSizeF sizeTwips, Shape shape)
    : m_code(std::move(code)),
      m_symbology(std::move(symbology)),
      m_bars(std::move(bars)),
      m_texts(std::move(texts)),
      m_symbolModules(symbolModules),
      m_barHeight(barHeight > 0 ? barHeight : symbolModules.height()),
      m_sizeTwips(sizeTwips),
      m_shape(shape)
{
}

int BarcodePicture::dotsPerModule(qreal widthTwips, qreal dotsPerInch) const
{
    if (m_symbolModules.width() <= 0)
        return 0;
    const qreal dots = widthTwips * dotsPerInch / 1440.0;
    return int(std::floor(dots / m_symbolModules.width() + 1e-9));
}

QString BarcodePicture::unprintableReason(const QSizeF &size, qreal dotsPerInch) const
{
    if (dotsPerModule(size.width(), dotsPerInch) >= 1)
        return {};
    return u"barkod «%1» %2 dpi yazıcıda %3 twip genişliğe sığmıyor"_s.arg(m_code)
        .arg(qRound(dotsPerInch))
        .arg(qRound(size.width()));
}

qreal BarcodePicture::mapY(qreal y, qreal barArea, qreal unit) const
{
    // Bars stretch to fill the picture; the guard bar ends and the digits
    // below them keep the module's proportions.
    if (y <= m_barHeight)
        return y * barArea / m_barHeight;
    return barArea + (y - m_barHeight) * unit;
}

void BarcodePicture::paint(QPainter &painter, const QRectF &targetTwips) const
{
    painter.save();
    const QTransform device = painter.deviceTransform();
    const QRectF onDevice = device.mapRect(targetTwips);
    const int dots = int(std::floor(onDevice.width() / m_symbolModules.width() + 1e-9));
    if (device.type() <= QTransform::TxScale && dots >= 1) {
        // Work in device dots: every module the same whole number of dots.
        // Inside a window the device transform also holds the widget's place
        // in the window, which the painter adds again after a reset: undo it.
        painter.resetTransform();
        painter.setWorldTransform(painter.deviceTransform().inverted());
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QPointF corner(std::round(onDevice.left()), std::round(onDevice.top()));
        paintSymbol(painter, QRectF(corner, onDevice.size()), dots, true);
    } else {
        // Too small for whole dots (a narrow preview): the nearest look.
        paintSymbol(painter, targetTwips, targetTwips.width() / m_symbolModules.width(), false);
    }
    painter.restore();
}

void BarcodePicture::paintSymbol(QPainter &painter, const QRectF &area, qreal unit,
                                 bool wholeDots) const
{
    const auto snap = [wholeDots](qreal v) { return wholeDots ? std::round(v) : v; };
    const qreal band = (m_symbolModules.height() - m_barHeight) * unit;
    const qreal barArea = m_shape == Shape::Matrix ? m_barHeight * unit
                                                   : qMax(area.height() - band, area.height() / 2.0);
    for (const QRectF &bar : m_bars) {
        const qreal top = snap(mapY(bar.top(), barArea, unit));
        const qreal bottom = snap(mapY(bar.bottom(), barArea, unit));
        painter.fillRect(QRectF(area.left() + bar.x() * unit, area.top() + top,
                                bar.width() * unit, bottom - top),
                         Qt::black);
    }
    painter.setPen(Qt::black);
    for (const Text &text : m_texts) {
        const QFont font = digitFont(text.size * unit);
        painter.setFont(font);
        const qreal width = QFontMetricsF(font).horizontalAdvance(text.text);
        qreal x = area.left() + text.baseline.x() * unit;
        if (text.alignment & Qt::AlignHCenter)
            x -= width / 2;
        else if (text.alignment & Qt::AlignRight)
            x -= width;
        painter.drawText(QPointF(x, area.top() + mapY(text.baseline.y(), barArea, unit)),
                         text.text);
    }
}
