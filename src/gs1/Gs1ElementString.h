#pragma once

#include <QList>
#include <QString>
#include <array>

// The element string a GS1 barcode carries, as a scanner types it: either
// human-readable with the application identifiers in brackets
// ("(01)…(10)LOT") or raw, variable fields ended by the group separator
// (ASCII 29, or the literal "<GS>" or "\x1d" some scanners type), with or
// without a symbology prefix ("]C1", "]d2", "]Q3", "]e0").
namespace Gs1ElementString {

constexpr QChar GroupSeparator = QChar(0x1d);
// GS1-128, GS1 DataMatrix, GS1 QR Code, GS1 DataBar.
constexpr std::array<QStringView, 4> SymbologyPrefixes = {u"]C1", u"]d2", u"]Q3", u"]e0"};

struct Element
{
    QString ai;
    QString value;
    bool operator==(const Element &) const = default;
};

// Why a text was not read to its end, for callers that tell it in their
// own words.
struct Problem
{
    enum Kind {
        None,
        NoElement,
        NoIdentifierFirst,  // bracketed text not starting with a known identifier
        UnknownIdentifier,  // raw text: no identifier GS1 assigns where one should stand
        Empty,
        WrongLength,        // `length`: what the identifier needs
        TooLong,            // `length`: what the identifier allows
        NotDigits,
        OutsideCharacterSet,
    };
    Kind kind = None;
    QString ai; // the element's identifier; for an unknown one, what stands there
    int length = 0;

    QString text() const; // English, for the log
};

struct Parsed
{
    QList<Element> elements;
    Problem problem;
    QString error; // problem.text(); empty when the whole text was read

    bool ok() const { return error.isEmpty(); }
    // The value of the first element with `ai`; empty when there is none.
    QString value(const QString &ai) const;
};

Parsed parse(const QString &scanned);

} // namespace Gs1ElementString
