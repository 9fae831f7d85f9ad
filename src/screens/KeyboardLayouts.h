#pragma once

#include <QList>
#include <QString>

// The on-screen keyboards as the screens lay them out: each key's index,
// caption and twips rectangle inside its parent.
struct KeySpec
{
    int index = 0;
    QString caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

namespace KeyboardLayouts {

// The customer keyboard Label1: 49 keys, indices 1..49 without 47.
namespace CustomerKeys {
constexpr int GeriAl = 33;
constexpr int Space = 34;
constexpr int Sil = 46;
} // namespace CustomerKeys

// The product keyboard Label8: 38 keys, indices 0..37.
namespace ProductKeys {
constexpr int Back = 12;
constexpr int Sil = 24;
constexpr int Blank = 35;
constexpr int FirstWord = 37;
} // namespace ProductKeys

const QList<KeySpec> &customerKeyboard();
const QList<KeySpec> &productKeyboard();

} // namespace KeyboardLayouts
