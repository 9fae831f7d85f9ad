#include "ui_support/GloveSize.h"

#include "ui_support/TwipsGeometry.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <functional>

namespace GloveSize {
namespace {

// The screens' button text: 16 points at the window's scale.
constexpr double TextPoints = 16;

double scaleNear(const QWidget *near)
{
    if (!near)
        return 1.0;
    const QWidget *window = near->window();
    return std::max(1.0, TwipsGeometry::scaleFor(window->width(), window->height()));
}

void setTextSize(QWidget *widget, const QWidget *near)
{
    QFont font = widget->font();
    font.setPixelSize(int(std::lround(TextPoints * 4.0 / 3.0 * scaleNear(near))));
    widget->setFont(font);
}

void fitCalendarNow(QCalendarWidget *calendar, const QWidget *near)
{
    const int key = keyPixels(near);
    setTextSize(calendar, near);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const auto buttons = calendar->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        button->setMinimumSize(key, key);
    // A row of day names and six weeks under the month bar; seven days wide.
    calendar->setMinimumSize(7 * key * 3 / 2, 8 * key + key / 2);
}

void fitDialogNow(QWidget *dialog, const QWidget *near)
{
    const int key = keyPixels(near);
    setTextSize(dialog, near);
    const auto buttons = dialog->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons)
        button->setMinimumSize(2 * key, key);
}

// Fits again whenever `watched` opens: a box makes some buttons only then,
// and the window may have changed size since.
class FitOnShow final : public QObject
{
public:
    FitOnShow(QWidget *watched, std::function<void()> fit)
        : QObject(watched)
        , m_fit(std::move(fit))
    {
        m_fit();
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_fit();
        return false;
    }

private:
    std::function<void()> m_fit;
};

} // namespace

int keyPixels(const QWidget *near)
{
    return TwipsGeometry::toPixels(KeyTwips, scaleNear(near));
}

void fitDialog(QWidget *dialog, const QWidget *near)
{
    new FitOnShow(dialog, [dialog, near = QPointer<const QWidget>(near)] { fitDialogNow(dialog, near); });
}

void fitCalendar(QDateEdit *dateEdit)
{
    QCalendarWidget *calendar = dateEdit->calendarWidget();
    new FitOnShow(calendar, [calendar, dateEdit] { fitCalendarNow(calendar, dateEdit); });
}

} // namespace GloveSize
