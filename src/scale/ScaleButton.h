#pragma once

#include <QPushButton>

// A scale button. Its back colour is its state: green (65280) marks the
// active scale whose readings are taken, yellow (65535) the other one.
class ScaleButton : public QPushButton
{
    Q_OBJECT
public:
    static constexpr int Green = 65280;
    static constexpr int Yellow = 65535;

    explicit ScaleButton(const QString &caption, QWidget *parent = nullptr);

    int backColor() const { return m_backColor; }
    void setBackColor(int rgb);
    bool isActive() const { return m_backColor == Green; }

signals:
    void rightPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_backColor = Yellow;
};
