#pragma once

#include "printing/PagePicture.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// A linear barcode ready to be painted with PaintPicture. Bars are kept in
// modules and laid onto whole device dots when painted: every module is the
// same whole number of dots, the largest that fits the picture's width, and
// bars are drawn without smoothing, so a thermal label printer reproduces
// the bar widths exactly.
class BarcodePicture : public PagePicture
{
public:
    // Size at which labels and slips paint the barcode: the label paints it at
    // x = 0 and its weight box starts at x = 2000, whose 2-wide rule reaches
    // 15 twips to the left; 1980 leaves the symbol, quiet zones included,
    // clear of it. 720 twips (12.7 mm) is the height of bars and digits.
    static constexpr qreal DefaultWidthTwips = 1980;
    static constexpr qreal DefaultHeightTwips = 720;

    // Linear bars stretch to the picture's height; a matrix keeps square modules.
    enum class Shape { Linear, Matrix };

    struct Text
    {
        QPointF baseline; // in modules; x is the anchor given by alignment
        qreal size = 0;   // pixel size in modules
        Qt::Alignment alignment = Qt::AlignHCenter;
        QString text;
    };

    BarcodePicture(QString code, QString symbology, QList<QRectF> bars, QList<Text> texts,
                   QSizeF symbolModules, qreal barHeight,
                   QSizeF sizeTwips = {DefaultWidthTwips, DefaultHeightTwips},
                   Shape shape = Shape::Linear);

    QString code() const { return m_code; }
    QString symbology() const { return m_symbology; }
    // Width of the symbol with its quiet zones, in modules.
    qreal widthModules() const { return m_symbolModules.width(); }
    const QList<QRectF> &bars() const { return m_bars; }

    // Whole dots per module at `dotsPerInch` for a picture `widthTwips` wide;
    // 0 when even one dot per module does not fit.
    int dotsPerModule(qreal widthTwips, qreal dotsPerInch) const;

    QSizeF sizeTwips() const override { return m_sizeTwips; }
    void paint(QPainter &painter, const QRectF &targetTwips) const override;
    QString unprintableReason(const QSizeF &size, qreal dotsPerInch) const override;

private:
    qreal mapY(qreal y, qreal barArea, qreal unit) const;
    void paintSymbol(QPainter &painter, const QRectF &area, qreal unit, bool wholeDots) const;

    QString m_code;
    QString m_symbology;
    QList<QRectF> m_bars;
    QList<Text> m_texts;
    QSizeF m_symbolModules;
    qreal m_barHeight;
    QSizeF m_sizeTwips;
    Shape m_shape;
};
