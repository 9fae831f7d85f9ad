#include "gs1/Gs1ElementString.h"

#include "gs1/Gs1Text.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace Gs1ElementString {
namespace {

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString stripPrefix(QString text)
{
    for (const QStringView prefix : SymbologyPrefixes) {
        if (text.startsWith(prefix))
            return text.mid(prefix.size());
    }
    return text;
}

Problem failure(Problem::Kind kind, const QString &ai, int length = 0)
{
    return Problem{kind, ai, length};
}

// Checks one element's value against its identifier's shape.
Problem problemOf(const QString &ai, const Gs1::AiShape &shape, const QString &value)
{
    if (value.isEmpty())
        return failure(Problem::Empty, ai);
    if (shape.fixedLength > 0 && value.size() != shape.fixedLength)
        return failure(Problem::WrongLength, ai, shape.fixedLength);
    if (value.size() > shape.maxLength)
        return failure(Problem::TooLong, ai, shape.maxLength);
    if (shape.numeric && !allDigits(value))
        return failure(Problem::NotDigits, ai);
    if (Gs1::outsideCharacterSet82(value))
        return failure(Problem::OutsideCharacterSet, ai);
    return {};
}

Parsed finished(Parsed parsed)
{
    if (parsed.problem.kind == Problem::None && parsed.elements.isEmpty())
        parsed.problem = failure(Problem::NoElement, {});
    parsed.error = parsed.problem.text();
    return parsed;
}

// "(01)…(10)…": an identifier is digits in brackets that name an identifier
// GS1 assigns; any other bracket is part of the value. Identifiers the
// station has no use for are still read, so a scan that carries them is not
// refused for their sake.
Parsed parseBracketed(const QString &text)
{
    Parsed parsed;
    qsizetype at = 0;
    std::optional<Element> current;
    Gs1::AiShape currentShape;
    const auto finish = [&] {
        if (current) {
            if (const Problem problem = problemOf(current->ai, currentShape, current->value);
                problem.kind != Problem::None && parsed.problem.kind == Problem::None)
                parsed.problem = problem;
            parsed.elements.append(*current);
        }
    };
    while (at < text.size()) {
        if (text[at] == u'(') {
            const qsizetype close = text.indexOf(u')', at);
            const QString ai = close > at ? text.mid(at + 1, close - at - 1) : QString();
            const auto shape = Gs1::shapeOf(ai);
            if (shape && ai.size() == shape->aiLength && allDigits(ai)) {
                finish();
                current = Element{ai, {}};
                currentShape = *shape;
                at = close + 1;
                continue;
            }
        }
        if (!current) {
            parsed.problem = failure(Problem::NoIdentifierFirst, {});
            return finished(parsed);
        }
        if (text[at] != GroupSeparator)
            current->value += text[at];
        ++at;
    }
    finish();
    return finished(parsed);
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
        const auto shape = Gs1::shapeOf(QStringView(text).sliced(at, std::min<qsizetype>(2, text.size() - at)));
        if (!shape || at + shape->aiLength > text.size()
            || !allDigits(QStringView(text).sliced(at, shape->aiLength))) {
            parsed.problem = failure(Problem::UnknownIdentifier, text.mid(at, 4));
            return finished(parsed);
        }
        const QString ai = text.mid(at, shape->aiLength);
        at += shape->aiLength;
        qsizetype end = shape->fixedLength > 0 ? std::min(text.size(), at + shape->fixedLength)
                                               : text.indexOf(GroupSeparator, at);
        if (end < 0)
            end = text.size();
        const QString value = text.mid(at, end - at);
        if (parsed.problem = problemOf(ai, *shape, value); parsed.problem.kind != Problem::None)
            return finished(parsed);
        parsed.elements.append({ai, value});
        at = end;
    }
    return finished(parsed);
}

} // namespace

QString Problem::text() const
{
    switch (kind) {
    case None: return {};
    case NoElement: return u"no element"_s;
    case NoIdentifierFirst: return u"no application identifier in brackets at the start"_s;
    case UnknownIdentifier: return u"no known application identifier at \"%1\""_s.arg(ai);
    case Empty: return u"AI (%1) has no value"_s.arg(ai);
    case WrongLength: return u"AI (%1) needs %2 characters"_s.arg(ai).arg(length);
    case TooLong: return u"AI (%1) allows %2 characters"_s.arg(ai).arg(length);
    case NotDigits: return u"AI (%1) takes digits only"_s.arg(ai);
    case OutsideCharacterSet: return u"AI (%1) holds a character outside the GS1 set"_s.arg(ai);
    }
    return {};
}

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
