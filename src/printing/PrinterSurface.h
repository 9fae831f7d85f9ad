#pragma once

#include "printing/PageRecording.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

// The page operations every printed document and every preview uses. All
// positions and sizes are twips (1/1440 inch) from the top-left corner of the
// page. The operations are recorded; a preview renders the recording at
// screen resolution, a print job replays it onto the page at EndDoc, with the
// page as long as it has grown by then (roll paper).
//
// Text is set in pixels of the twips scale (points × 20), so a layout measured
// with textWidth() lands in the same place at every resolution.
class PrinterSurface
{
public:
    static constexpr int TwipsPerInch = 1440;
    static constexpr int TwipsPerPoint = 20;
    // One DrawWidth step is one pixel of a 96-dpi screen, on paper as well,
    // so a rule is as thick on the label as on its preview.
    static constexpr int TwipsPerDrawWidth = 15;

    explicit PrinterSurface(QSize pageTwips);
    virtual ~PrinterSurface();

    PrinterSurface(const PrinterSurface &) = delete;
    PrinterSurface &operator=(const PrinterSurface &) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Lengthens (or trims) the page; roll paper and the growing preview.
    void setHeight(int twips);
    // Width of the drawing area; the whole page, as margins are not used.
    int scaleWidth() const { return m_width; }

    qreal currentX() const { return m_currentX; }
    qreal currentY() const { return m_currentY; }
    void setCurrentX(qreal twips) { m_currentX = twips; }
    void setCurrentY(qreal twips) { m_currentY = twips; }

    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name);
    qreal fontSize() const { return m_fontSize; }
    void setFontSize(qreal points);
    bool fontBold() const { return m_fontBold; }
    void setFontBold(bool bold);
    // Character set of the font; 162 is Turkish. Text is Unicode throughout,
    // so every set prints Turkish letters; the value is kept for the callers.
    int fontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset) { m_fontCharset = charset; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width);

    // The font the next text is printed in.
    QFont font() const { return m_font; }
    qreal textWidth(const QString &text) const;
    qreal textHeight(const QString &text = {}) const;

    // Prints at the current position and ends the line: CurrentX returns to 0
    // and CurrentY moves down one line of the current font. An empty text only
    // ends the line.
    void print(const QString &text = {});
    // Prints at the current position and moves CurrentX to the text's end.
    void printStay(const QString &text);
    // Prints the text centred on the page, (Width - TextWidth) / 2, and ends
    // the line; a text wider than the page starts left of its edge.
    void printCentred(const QString &text);

    // Line, box and circle leave CurrentX and CurrentY where they were.
    void line(qreal x1, qreal y1, qreal x2, qreal y2);
    void box(qreal x1, qreal y1, qreal x2, qreal y2);
    // An ellipse: with aspect below 1 the radius is the horizontal half-axis
    // and the vertical one is radius × aspect; above 1 the radius is vertical.
    void circle(qreal centreX, qreal centreY, qreal radius, qreal aspect = 1.0);
    // Draws the picture scaled into the rectangle. On paper a picture that
    // cannot be printed faithfully at the device's resolution makes the job
    // fail with its reason instead; returns false then.
    bool paintPicture(std::shared_ptr<const PagePicture> picture, qreal x, qreal y, qreal w,
                      qreal h);

    // Clears the page and puts the position back at the top-left corner.
    void cls();

    // A failure while drawing. A print job with a failure pending is
    // abandoned at EndDoc with this reason.
    void fail(const QString &reason);
    bool hasFailed() const { return !m_failure.isEmpty(); }
    QString failure() const { return m_failure; }

    const PageRecording &recording() const { return m_recording; }

    // Draws the page on a painter whose transform maps twips to its device.
    void render(QPainter &painter) const { m_recording.replay(painter); }
    // The page as an image at `dotsPerInch`, white behind the drawing.
    QImage toImage(qreal dotsPerInch) const;

    // The installed face used for a font name the callers set.
    static QString fontFamilyFor(const QString &name);

protected:
    // Resolution of the device the page is meant for; 0 for a screen preview.
    virtual qreal deviceDotsPerInch() const { return 0; }
    // Called after the page's drawing or size changed (a preview repaints).
    virtual void pageChanged() {}

private:
    void record(PageOp op);
    void updateFont();
    qreal penWidth() const { return qreal(m_drawWidth) * TwipsPerDrawWidth; }

    int m_width;
    int m_height;
    qreal m_currentX = 0;
    qreal m_currentY = 0;
    QString m_fontName;
    qreal m_fontSize = 9.75;
    bool m_fontBold = false;
    int m_fontCharset = 162;
    int m_drawWidth = 1;
    QFont m_font;
    QString m_failure;
    PageRecording m_recording;
};
