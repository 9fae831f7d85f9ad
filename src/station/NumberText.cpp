#include "station/NumberText.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace NumberText {

QString fixed(double value, int decimals, bool grouping)
{
    QString text = QString::number(value, 'f', decimals);
    bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    // "-0,000" is a rounding artefact, never a weight.
    if (negative && text.count(u'0') + text.count(u'.') == text.size())
        negative = false;

    const qsizetype point = text.indexOf(u'.');
    QString integer = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (grouping) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, u'.');
    }
    QString result = negative ? u"-"_s + integer : integer;
    if (!fraction.isEmpty())
        result += u',' + fraction;
    return result;
}

QString weightCaption(double kilograms)
{
    return fixed(kilograms) + u" Kg "_s;
}

QString plain(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return value == 0.0 ? u"0"_s : QString::number(value);
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', u',');
    return text;
}

std::optional<double> parse(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;

    QString digits;
    digits.reserve(trimmed.size());
    qsizetype i = 0;
    if (trimmed[0] == u'+' || trimmed[0] == u'-') {
        if (trimmed[0] == u'-')
            digits += u'-';
        i = 1;
    }
    bool seenComma = false;
    bool seenDigit = false;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
        } else if (c == u',' && !seenComma) {
            digits += u'.';
            seenComma = true;
        } else if (c == u'.' && !seenComma && seenDigit) {
            continue; // grouping separator
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> parseWeightCaption(QStringView caption)
{
    QString text = caption.toString();
    text.replace(u" Kg "_s, QString());
    if (text.endsWith(u" Kg"_s))
        text.chop(3);
    return parse(text);
}

} // namespace NumberText
