#include "screens/KeyboardLayouts.h"

using namespace Qt::StringLiterals;

namespace KeyboardLayouts {
namespace {

struct RowKey
{
    QString caption;
    int index;
    int width = 0; // 0: the keyboard's ordinary width
};

// Adds one row of keys placed side by side from `left`, `step` apart for an
// ordinary key; a wider key pushes the following ones along.
void addRow(QList<KeySpec> &keys, int top, int left, int step, int width, int height,
            const QList<RowKey> &row)
{
    const int gap = step - width;
    for (const RowKey &key : row) {
        const int keyWidth = key.width > 0 ? key.width : width;
        keys.append({key.index, key.caption, left, top, keyWidth, height});
        left += keyWidth + gap;
    }
}

QList<KeySpec> makeCustomerKeyboard()
{
    constexpr int Width = 960, Height = 780, Step = 990, Left = 90;
    constexpr int Tops[] = {6810, 7650, 8490, 9330};
    QList<KeySpec> keys;
    addRow(keys, Tops[0], Left, Step, Width, Height,
           {{u"Q"_s, 30}, {u"W"_s, 29}, {u"E"_s, 5}, {u"R"_s, 20}, {u"T"_s, 23}, {u"Y"_s, 27},
            {u"U"_s, 24}, {u"I"_s, 10}, {u"O"_s, 17}, {u"P"_s, 19}, {u"Ğ"_s, 8}, {u"Ü"_s, 25}});
    addRow(keys, Tops[1], Left, Step, Width, Height,
           {{u"A"_s, 49}, {u"S"_s, 21}, {u"D"_s, 4}, {u"F"_s, 6}, {u"G"_s, 7}, {u"H"_s, 9},
            {u"J"_s, 12}, {u"K"_s, 13}, {u"L"_s, 14}, {u"Ş"_s, 22}, {u"İ"_s, 11}, {u"*"_s, 48}});
    addRow(keys, Tops[2], Left, Step, Width, Height,
           {{u"Z"_s, 28}, {u"X"_s, 31}, {u"C"_s, 2}, {u"V"_s, 26}, {u"B"_s, 1}, {u"N"_s, 16},
            {u"M"_s, 15}, {u"Ö"_s, 18}, {u"Ç"_s, 3}, {u","_s, 32},
            {u"Geri Al"_s, CustomerKeys::GeriAl, 1950}});
    addRow(keys, Tops[3], Left, Step, Width, Height, {{u" Boşluk"_s, CustomerKeys::Space, 11835}});

    // The digit block on the right.
    constexpr int DigitLefts[] = {12180, 13200, 14220};
    const QString digitRows[4][3] = {{u"7"_s, u"8"_s, u"9"_s},
                                     {u"4"_s, u"5"_s, u"6"_s},
                                     {u"1"_s, u"2"_s, u"3"_s},
                                     {u"0"_s, u"."_s, u"Sil"_s}};
    const int digitIndices[4][3] = {{39, 38, 37}, {42, 41, 40}, {45, 44, 43}, {36, 35, CustomerKeys::Sil}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            keys.append({digitIndices[row][column], digitRows[row][column], DigitLefts[column],
                         Tops[row], Width, Height});
        }
    }
    return keys;
}

QList<KeySpec> makeProductKeyboard()
{
    constexpr int Width = 675, Height = 645, Step = 720, Left = 120;
    QList<KeySpec> keys;
    addRow(keys, 2280, Left, Step, Width, Height,
           {{u"Q"_s, 0}, {u"W"_s, 1}, {u"E"_s, 2}, {u"R"_s, 9}, {u"T"_s, 5}, {u"Y"_s, 4},
            {u"U"_s, 3}, {u"I"_s, 8}, {u"O"_s, 7}, {u"P"_s, 6}, {u"Ğ"_s, 10}, {u"Ü"_s, 11},
            {u"<"_s, ProductKeys::Back}});
    addRow(keys, 2970, Left, Step, Width, Height,
           {{u"A"_s, 13}, {u"S"_s, 14}, {u"D"_s, 15}, {u"F"_s, 16}, {u"G"_s, 17}, {u"H"_s, 18},
            {u"J"_s, 19}, {u"K"_s, 20}, {u"L"_s, 21}, {u"Ş"_s, 22}, {u"İ"_s, 23},
            {u"SİL"_s, ProductKeys::Sil, 1395}});
    addRow(keys, 3660, Left, Step, Width, Height,
           {{u"Z"_s, 26}, {u"X"_s, 27}, {u"C"_s, 28}, {u"V"_s, 29}, {u"B"_s, 30}, {u"N"_s, 31},
            {u"M"_s, 32}, {u"Ö"_s, 33}, {u"Ç"_s, 34}, {u" "_s, ProductKeys::Blank}, {u"."_s, 36},
            {u","_s, 25}, {u"*"_s, ProductKeys::FirstWord}});
    return keys;
}

} // namespace

const QList<KeySpec> &customerKeyboard()
{
    static const QList<KeySpec> keys = makeCustomerKeyboard();
    return keys;
}

const QList<KeySpec> &productKeyboard()
{
    static const QList<KeySpec> keys = makeProductKeyboard();
    return keys;
}

} // namespace KeyboardLayouts
