#include "labels/Gs1Elements.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace Gs1 {

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
