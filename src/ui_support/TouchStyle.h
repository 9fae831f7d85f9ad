#pragma once

#include <QProxyStyle>

class QMenuBar;

// Sizes for a gloved finger: the indicators of check boxes and option
// buttons grow with their font, and menu entries are twice a line high. The
// fonts follow the window's scale, so these do too.
class TouchStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    // Gives `widget` the station's touch style (one shared instance).
    static void apply(QWidget *widget);
    // The menu bar and its menus take the touch style and a font that
    // follows the size of the bar's window.
    static void followWindow(QMenuBar *bar);

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    // A drop-down's arrow (the date picker's) is as wide as the control is high.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl part, const QWidget *widget) const override;

private:
    TouchStyle();
};
