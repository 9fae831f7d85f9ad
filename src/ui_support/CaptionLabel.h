#pragma once

#include <QLabel>

// A label whose caption changes are announced, for the screens that react
// to a caption (the weight rows) and double clicks (the test reading).
class CaptionLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setCaption(const QString &caption);
    QString caption() const { return text(); }

signals:
    void changed();
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
