#pragma once

#include <QWidget>

// The window surface designed in twips: keeps its children at the twips
// geometry they were placed at, scaled as one piece to the widget's size.
class TwipsCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit TwipsCanvas(QWidget *parent = nullptr);

    double scale() const { return m_scale; }
    // Re-applies every placed child at the current scale.
    void relayout();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    double m_scale = 1.0;
};
