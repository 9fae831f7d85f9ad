#pragma once

#include "gs1/Gs1Text.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One GS1 element string: its application identifier and its data.
struct Gs1Element
{
    QString ai;
    QString data;

    bool operator==(const Gs1Element &) const = default;
};

// GS1 rules the label's barcode needs, kept apart from any encoder so a
// text is refused before anything prints.
namespace Gs1 {

// The GTIN-14 of a variable-measure item: the stored GTIN (8, 12, 13 or 14
// digits, its own check digit right) left-filled to 14 digits, indicator 9,
// check digit worked out again. No value with `reason` set otherwise.
std::optional<QString> variableMeasureGtin(const QString &stored, QString *reason);

// "(01)…(3103)…" for people; with '[' ']' the form the encoder takes. Neither
// bracket is in the 82-character set, so the square form reads back unchanged.
QString bracketed(const QList<Gs1Element> &elements, QChar open = u'(', QChar close = u')');
// The elements of a square-bracketed text; no value for anything else.
std::optional<QList<Gs1Element>> fromSquareBrackets(const QString &text);

// A GS1-128 symbol holds at most 48 data characters (identifiers and
// separators counted); longer contents go on as many symbols as they need,
// the elements kept in order. `fits` may refuse a symbol sooner (too wide
// for the label).
constexpr int Linear128MostCharacters = 48;
QList<QList<Gs1Element>> linearSymbols(const QList<Gs1Element> &elements,
                                       const std::function<bool(const QList<Gs1Element> &)> &fits);

} // namespace Gs1
