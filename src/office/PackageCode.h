#pragma once

#include <QDate>
#include <QString>
#include <optional>

// What a scanner or an inspector gives for one package: a GS1 element string
// read off the label, bracketed "(01)…(3103)…(10)…" or raw with GS (ASCII 29)
// between the fields and an optional symbology prefix such as "]C1" or "]d2".
// Only the fields that find a package are kept; any other well-formed field
// is skipped.
struct PackageCode
{
    QString gtin;               // (01), 14 digits, check digit verified
    std::optional<qint64> net;  // (310n) in units of 10^-decimals kg
    int decimals = 0;
    QString lot;                // (10)
    QDate produced;             // (11)

    // The net weight in kilograms, rounded to the code's decimals.
    bool weighs(double kilo) const;

    // The fields again as the bracketed text, in a fixed order.
    QString bracketed() const;
    // The same as a scanner sends it: GS after each variable-length field.
    QString raw() const;

    // No value when `text` is no GS1 element string: then `error` says why
    // in Turkish when the text clearly meant to be one (brackets, GS or a
    // prefix), and stays empty for a plain barcode text such as an EAN-13.
    static std::optional<PackageCode> parse(const QString &text, QString *error);
};
