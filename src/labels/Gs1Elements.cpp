#include "labels/Gs1Elements.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace Gs1 {

int checkDigit(const QString &digits)
{
    // Weights 3 and 1 alternate from the rightmost digit.
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += digits[i].digitValue() * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

std::optional<QString> variableMeasureGtin(const QString &stored, QString *reason)
{
    static const QRegularExpression Digits(u"^(?:[0-9]{8}|[0-9]{12,14})$"_s);
    const QString gtin = stored.trimmed();
    if (!Digits.match(gtin).hasMatch()) {
        *reason = gtin.isEmpty() ? u"ürünün GTIN'i yok (StokEk.GTIN)"_s
                                 : u"GTIN \"%1\" 8, 12, 13 ya da 14 rakam olmalı"_s.arg(gtin);
        return std::nullopt;
    }
    // A mistyped item reference would name another product: refuse it
    // rather than make its check digit fit.
    if (checkDigit(gtin.chopped(1)) != gtin.back().digitValue()) {
        *reason = u"GTIN \"%1\" denetim hanesi yanlış"_s.arg(gtin);
        return std::nullopt;
    }
    const QString body = u'9' + gtin.rightJustified(14, u'0').mid(1, 12);
    return body + QString::number(checkDigit(body));
}

std::optional<QChar> outsideCharacterSet82(const QString &text)
{
    static const QString Punctuation = u"!\"%&'()*+,-./:;<=>?_"_s;
    for (const QChar c : text) {
        const bool ok = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
                        || Punctuation.contains(c);
        if (!ok)
            return c;
    }
    return std::nullopt;
}

QString bracketed(const QList<Gs1Element> &elements, QChar open, QChar close)
{
    QString text;
    for (const Gs1Element &e : elements)
        text += open + e.ai + close + e.data;
    return text;
}

std::optional<QList<Gs1Element>> fromSquareBrackets(const QString &text)
{
    static const QRegularExpression Element(u"\\[([0-9]{2,4})\\]([^\\[\\]]*)"_s);
    QList<Gs1Element> elements;
    qsizetype at = 0;
    for (auto it = Element.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.capturedStart() != at)
            return std::nullopt;
        elements.append({m.captured(1), m.captured(2)});
        at = m.capturedEnd();
    }
    if (at != text.size() || elements.isEmpty())
        return std::nullopt;
    return elements;
}

bool hasFixedLength(const QString &ai)
{
    // The identifiers whose length the standard fixes beforehand.
    static const QStringList Fixed = {u"00"_s, u"01"_s, u"02"_s, u"03"_s, u"04"_s, u"11"_s, u"12"_s,
                                      u"13"_s, u"14"_s, u"15"_s, u"16"_s, u"17"_s, u"18"_s, u"19"_s,
                                      u"20"_s, u"31"_s, u"32"_s, u"33"_s, u"34"_s, u"35"_s, u"36"_s,
                                      u"41"_s};
    return Fixed.contains(ai.left(2));
}

QList<QList<Gs1Element>> linearSymbols(const QList<Gs1Element> &elements,
                                       const std::function<bool(const QList<Gs1Element> &)> &fits)
{
    const auto characters = [](const QList<Gs1Element> &symbol) {
        int count = 0;
        for (qsizetype i = 0; i < symbol.size(); ++i) {
            const bool separator = i + 1 < symbol.size() && !hasFixedLength(symbol[i].ai);
            count += int(symbol[i].ai.size() + symbol[i].data.size()) + (separator ? 1 : 0);
        }
        return count;
    };
    QList<QList<Gs1Element>> symbols;
    for (const Gs1Element &e : elements) {
        if (!symbols.isEmpty()) {
            QList<Gs1Element> longer = symbols.last();
            longer.append(e);
            if (characters(longer) <= Linear128MostCharacters && fits(longer)) {
                symbols.last() = longer;
                continue;
            }
        }
        symbols.append({e});
    }
    return symbols;
}

} // namespace Gs1
