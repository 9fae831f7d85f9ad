#pragma once

#include <QScrollArea>

// Shows a larger picture (the print previews) through a smaller viewport
// with scroll bars.
class ScrollingContainer : public QScrollArea
{
    Q_OBJECT
public:
    explicit ScrollingContainer(QWidget *parent = nullptr);

    void Attatch(QWidget *child);
    QWidget *Detatch();
    QWidget *child() const { return widget(); }
};
