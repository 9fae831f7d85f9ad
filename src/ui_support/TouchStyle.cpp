#include "ui_support/TouchStyle.h"

#include "ui_support/TwipsGeometry.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <cmath>

namespace {

// Menu text at the window's scale, the size of the screens' buttons.
constexpr double MenuFontPoints = 16;

void scaleMenus(QMenuBar *bar)
{
    const QWidget *window = bar->window();
    const double scale = TwipsGeometry::scaleFor(window->width(), window->height());
    QFont font = bar->font();
    font.setPixelSize(std::max(1, int(std::lround(MenuFontPoints * 4.0 / 3.0 * scale))));
    bar->setFont(font);
    const QList<QMenu *> menus = bar->findChildren<QMenu *>();
    for (QMenu *menu : menus) {
        TouchStyle::apply(menu);
        menu->setFont(font);
    }
}

// Rescales the menus whenever their window changes size.
class MenuFollower final : public QObject
{
public:
    explicit MenuFollower(QMenuBar *bar)
        : QObject(bar),
          m_bar(bar)
    {
        bar->window()->installEventFilter(this);
        scaleMenus(bar);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == m_bar->window())
            scaleMenus(m_bar);
        return false;
    }

private:
    QMenuBar *m_bar;
};

} // namespace

TouchStyle::TouchStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

void TouchStyle::apply(QWidget *widget)
{
    // Lives as long as the application, longer than any widget using it.
    static QPointer<TouchStyle> shared;
    if (!shared) {
        shared = new TouchStyle;
        shared->setParent(qApp);
    }
    if (widget->style() != shared)
        widget->setStyle(shared);
}

void TouchStyle::followWindow(QMenuBar *bar)
{
    apply(bar);
    new MenuFollower(bar);
}

int TouchStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                            const QWidget *widget) const
{
    if (widget) {
        const int line = widget->fontMetrics().height();
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return line;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return line / 3;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect TouchStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                 SubControl part, const QWidget *widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || !option)
        return rect;
    const QRect whole = option->rect;
    const int arrow = std::min(whole.height(), whole.width() / 3);
    if (part == SC_ComboBoxArrow)
        return QRect(whole.right() - arrow + 1, whole.top(), arrow, whole.height());
    if (part == SC_ComboBoxEditField)
        rect.setRight(std::min(rect.right(), whole.right() - arrow));
    return rect;
}

QSize TouchStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                   const QSize &size, const QWidget *widget) const
{
    QSize grown = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (!widget)
        return grown;
    const int line = widget->fontMetrics().height();
    if (type == CT_MenuItem) {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (item && item->menuItemType != QStyleOptionMenuItem::Separator) {
            grown.setHeight(std::max(grown.height(), 2 * line));
            grown.setWidth(grown.width() + line);
        }
    } else if (type == CT_MenuBarItem) {
        grown.setHeight(std::max(grown.height(), line * 8 / 5));
        grown.setWidth(grown.width() + line);
    }
    return grown;
}
