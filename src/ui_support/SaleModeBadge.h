#pragma once

#include <QLabel>

// Says on every screen whether the station books sales or purchases:
// "SATIŞ" on green, "ALIŞ" on red, the colours of the switch itself.
class SaleModeBadge : public QLabel
{
    Q_OBJECT
public:
    explicit SaleModeBadge(QWidget *parent = nullptr);

    // 0 sale, 1 purchase.
    void showMode(int alsatMode);

    // Hidden before the login, the badge takes no room in the menu bar.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
