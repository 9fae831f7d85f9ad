#include "ui_support/SaleModeBadge.h"

#include "ui_support/Colors.h"
#include "ui_support/Control.h"

using namespace Qt::StringLiterals;

SaleModeBadge::SaleModeBadge(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(u"AlSatLbl"_s);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    // Only the weight is set: the size follows the menu bar's, which follows the window.
    QFont bold;
    bold.setBold(true);
    setFont(bold);
    showMode(0);
}

QSize SaleModeBadge::sizeHint() const
{
    return isHidden() ? QSize(0, 0) : QLabel::sizeHint();
}

QSize SaleModeBadge::minimumSizeHint() const
{
    return isHidden() ? QSize(0, 0) : QLabel::minimumSizeHint();
}

void SaleModeBadge::showMode(int alsatMode)
{
    const bool sale = alsatMode == 0;
    setText(sale ? u"  SATIŞ  "_s : u"  ALIŞ  "_s);
    Control::setBackColor(this, sale ? Colors::Green : Colors::Red);
    Control::setForeColor(this, sale ? 0 : Colors::White);
}
