#include "labels/Gs1ElementString.h"

#include "labels/LotText.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace Gs1ElementString {
namespace {

struct AiRule
{
    int aiLength = 0;
    int fixedLength = 0; // 0: variable, up to maxLength
    int maxLength = 0;
    bool numeric = false;
};

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// What the first two digits of an identifier say about it. Identifiers the
// station has no use for are still read, so a scan that carries them is not
// refused for their sake.
std::optional<AiRule> ruleFor(QStringView digits)
{
    if (digits.size() < 2 || !allDigits(digits.first(2)))
        return std::nullopt;
    const int head = digits.first(2).toInt();
    switch (head) {
    case 0: return AiRule{2, 18, 18, true};              // SSCC
    case 1: case 2: return AiRule{2, 14, 14, true};      // GTIN
    case 10: return AiRule{2, 0, 20, false};             // batch or lot
    case 11: case 12: case 13: case 14: case 15: case 16: case 17:
        return AiRule{2, 6, 6, true};                    // dates YYMMDD
    case 20: return AiRule{2, 2, 2, true};
    case 21: case 22: return AiRule{2, 0, 20, false};
    case 23: case 24: case 25: return AiRule{3, 0, 30, false}; // 251: animal reference
    case 30: case 37: return AiRule{2, 0, 8, true};      // counts
    case 31: case 32: case 33: case 34: case 35: case 36:
        return AiRule{4, 6, 6, true};                    // measures
    case 39: return AiRule{4, 0, 18, false};
    case 41: return AiRule{3, 13, 13, true};             // locations
    case 40: case 42: return AiRule{3, 0, 30, false};
    case 43: case 70: case 71: case 72: case 80: case 81: case 82:
        return AiRule{4, 0, 90, false};
    default:
        if (head >= 90)
            return AiRule{2, 0, 90, false};              // company internal
        return std::nullopt;
    }
}

QString stripPrefix(QString text)
{
    for (const QString &prefix : {u"]C1"_s, u"]d2"_s, u"]Q3"_s, u"]e0"_s}) {
        if (text.startsWith(prefix))
            return text.mid(prefix.size());
    }
    return text;
}

// Checks one element's value against its identifier's rule.
QString problemOf(const QString &ai, const AiRule &rule, const QString &value)
{
    if (value.isEmpty())
        return u"AI (%1) has no value"_s.arg(ai);
    if (rule.fixedLength > 0 && value.size() != rule.fixedLength)
        return u"AI (%1) needs %2 characters, got %3"_s.arg(ai).arg(rule.fixedLength).arg(value.size());
    if (value.size() > rule.maxLength)
        return u"AI (%1) allows %2 characters, got %3"_s.arg(ai).arg(rule.maxLength).arg(value.size());
    if (rule.numeric && !allDigits(value))
        return u"AI (%1) takes digits only"_s.arg(ai);
    if (!std::all_of(value.cbegin(), value.cend(), LotText::isGs1Character))
        return u"AI (%1) holds a character outside the GS1 set"_s.arg(ai);
    return {};
}

// "(01)…(10)…": an identifier is digits in brackets that name a known
// identifier; any other bracket is part of the value.
Parsed parseBracketed(const QString &text)
{
    Parsed parsed;
    qsizetype at = 0;
    std::optional<Element> current;
    std::optional<AiRule> currentRule;
    const auto finish = [&] {
        if (current) {
            if (const QString problem = problemOf(current->ai, *currentRule, current->value);
                !problem.isEmpty() && parsed.error.isEmpty())
                parsed.error = problem;
            parsed.elements.append(*current);
        }
    };
    while (at < text.size()) {
        if (text[at] == u'(') {
            const qsizetype close = text.indexOf(u')', at);
            const QString ai = close > at ? text.mid(at + 1, close - at - 1) : QString();
            const auto rule = ruleFor(ai);
            if (rule && ai.size() == rule->aiLength && allDigits(ai)) {
                finish();
                current = Element{ai, {}};
                currentRule = rule;
                at = close + 1;
                continue;
            }
        }
        if (!current)
            return {{}, u"no application identifier in brackets at the start"_s};
        if (text[at] != GroupSeparator)
            current->value += text[at];
        ++at;
    }
    finish();
    if (parsed.elements.isEmpty())
        parsed.error = u"no element"_s;
    return parsed;
}

Parsed parseRaw(const QString &text)
{
    Parsed parsed;
    qsizetype at = 0;
    while (at < text.size()) {
        if (text[at] == GroupSeparator) { // after a fixed field, or doubled
            ++at;
            continue;
        }
        const auto rule = ruleFor(QStringView(text).sliced(at, std::min<qsizetype>(2, text.size() - at)));
        if (!rule || at + rule->aiLength > text.size()
            || !allDigits(QStringView(text).sliced(at, rule->aiLength)))
            return {parsed.elements, u"no known application identifier at %1"_s.arg(at)};
        const QString ai = text.mid(at, rule->aiLength);
        at += rule->aiLength;
        qsizetype end = rule->fixedLength > 0 ? std::min(text.size(), at + rule->fixedLength)
                                              : text.indexOf(GroupSeparator, at);
        if (end < 0)
            end = text.size();
        const QString value = text.mid(at, end - at);
        if (const QString problem = problemOf(ai, *rule, value); !problem.isEmpty())
            return {parsed.elements, problem};
        parsed.elements.append({ai, value});
        at = end;
    }
    if (parsed.elements.isEmpty())
        parsed.error = u"no element"_s;
    return parsed;
}

} // namespace

QString Parsed::value(const QString &ai) const
{
    for (const Element &element : elements) {
        if (element.ai == ai)
            return element.value;
    }
    return {};
}

Parsed parse(const QString &scanned)
{
    QString text = stripPrefix(scanned.trimmed());
    text.replace(u"<GS>"_s, QString(GroupSeparator), Qt::CaseInsensitive);
    text.replace(u"\\x1d"_s, QString(GroupSeparator), Qt::CaseInsensitive);
    // A leading separator stands for the FNC1 that starts the symbol.
    while (text.startsWith(GroupSeparator))
        text.remove(0, 1);
    return text.startsWith(u'(') ? parseBracketed(text) : parseRaw(text);
}

} // namespace Gs1ElementString
