#pragma once

#include <QList>
#include <QString>

// The element string a GS1 barcode carries, as a scanner types it: either
// human-readable with the application identifiers in brackets
// ("(01)…(10)LOT") or raw, variable fields ended by the group separator
// (ASCII 29, or the literal "<GS>" or "\x1d" some scanners type), with or
// without a symbology prefix ("]C1", "]d2", "]Q3", "]e0").
namespace Gs1ElementString {

constexpr QChar GroupSeparator = QChar(0x1d);

struct Element
{
    QString ai;
    QString value;
    bool operator==(const Element &) const = default;
};

struct Parsed
{
    QList<Element> elements;
    QString error; // English, for the log; empty when the whole text was read

    bool ok() const { return error.isEmpty(); }
    // The value of the first element with `ai`; empty when there is none.
    QString value(const QString &ai) const;
};

Parsed parse(const QString &scanned);

} // namespace Gs1ElementString
