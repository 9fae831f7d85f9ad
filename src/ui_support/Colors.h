#pragma once

#include <QColor>

// The station's colours, kept as the RGB integers the screens compare
// (blue * 65536 + green * 256 + red): green marks the chosen one of a pair,
// yellow the other; keys are cyan with the key under the finger yellow.
namespace Colors {

constexpr int Green = 65280;
constexpr int Yellow = 65535;
constexpr int Cyan = 16776960; // RGB 0, 255, 255
constexpr int Red = 255;
constexpr int White = 16777215;
constexpr int Blue = 16711680;

QColor toQColor(int rgbInteger);
int fromQColor(const QColor &color);

} // namespace Colors
