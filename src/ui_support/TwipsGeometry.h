#pragma once

#include <QRect>

class QWidget;

// The window is designed in twips and scaled as one piece: at scale 1 a
// 15270 x 10470 twip surface is 1018 x 698 pixels (15 twips a pixel). Every
// placed widget remembers its twips rectangle and font size; apply() puts
// them at the current scale.
namespace TwipsGeometry {

constexpr int SurfaceWidth = 15270;
constexpr int SurfaceHeight = 10470;
constexpr double TwipsPerPixel = 15.0;

// Places `widget` at a twips rectangle relative to its parent, and gives it a
// font of `fontPoints` (0 keeps the inherited size).
void place(QWidget *widget, int left, int top, int width, int height, double fontPoints = 0);
void setTop(QWidget *widget, int top);
void setLeft(QWidget *widget, int left);
QRect twipsRect(const QWidget *widget);

// Scale factor for a surface of `pixelWidth` x `pixelHeight`.
double scaleFor(int pixelWidth, int pixelHeight);

// Re-applies every placed widget below `root` (inclusive) at `scale`.
void apply(QWidget *root, double scale);
double currentScale(const QWidget *widget);

int toPixels(int twips, double scale);

} // namespace TwipsGeometry
