#include "office/PackageCode.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar GroupSeparator(0x1d);
// Longest field a GS ends; longer means a lost separator.
constexpr int LongestField = 90;

// How a field is laid out in a raw element string: its identifier's digits,
// and the data's length when it is predefined (no GS after it), else 0.
struct FieldShape
{
    int idDigits;
    int fixedLength;
};

std::optional<FieldShape> shapeOf(QStringView id)
{
    const int head = id.left(2).toInt();
    switch (head) {
    case 0: return FieldShape{2, 18};
    case 1: case 2: case 3: return FieldShape{2, 14};
    case 4: return FieldShape{2, 16};
    case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19:
        return FieldShape{2, 6};
    case 20: return FieldShape{2, 2};
    case 31: case 32: case 33: case 34: case 35: case 36: return FieldShape{4, 6};
    case 41: return FieldShape{3, 13};
    case 10: case 21: case 22: case 30: case 37: return FieldShape{2, 0};
    case 23: case 24: case 25: case 40: case 42: return FieldShape{3, 0};
    case 39: case 70: case 71: case 72: case 80: case 81: case 82: return FieldShape{4, 0};
    default:
        if (head >= 90)
            return FieldShape{2, 0};
        return std::nullopt;
    }
}

bool allDigits(QStringView text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool gtinCheckDigitHolds(QStringView gtin)
{
    int sum = 0;
    for (int i = 0; i < 13; ++i)
        sum += gtin[i].digitValue() * (i % 2 ? 1 : 3);
    return (10 - sum % 10) % 10 == gtin[13].digitValue();
}

// Takes one field into `code`; false with `error` when it is malformed.
bool take(PackageCode &code, const QString &id, const QString &data, QString *error)
{
    const auto fail = [&](const QString &why) {
        *error = u"GS1 (%1) alanı geçersiz: %2"_s.arg(id, why);
        return false;
    };
    if (data.isEmpty())
        return fail(u"boş"_s);
    if (const auto shape = shapeOf(id); shape && shape->fixedLength > 0
                                        && (data.size() != shape->fixedLength || !allDigits(data))) {
        return fail(u"%1 hane olmalı"_s.arg(shape->fixedLength));
    }
    if (id == u"01") {
        if (!code.gtin.isEmpty())
            return fail(u"iki kez var"_s);
        if (!gtinCheckDigitHolds(data))
            return fail(u"denetim hanesi yanlış"_s);
        code.gtin = data;
    } else if (id.size() == 4 && id.startsWith(u"310")) {
        const int decimals = id[3].digitValue();
        if (decimals > 5 || code.net)
            return fail(u"ondalık hanesi ya da tekrar"_s);
        code.decimals = decimals;
        code.net = data.toLongLong();
    } else if (id == u"10") {
        if (data.size() > 20 || !code.lot.isEmpty())
            return fail(u"en çok 20 karakter, bir kez"_s);
        code.lot = data;
    } else if (id == u"11") {
        const QDate date(2000 + data.left(2).toInt(), data.mid(2, 2).toInt(), data.mid(4, 2).toInt());
        if (!date.isValid())
            return fail(u"tarih YYAAGG olmalı"_s);
        code.produced = date;
    }
    return true;
}

std::optional<PackageCode> parseBracketed(const QString &text, QString *error)
{
    static const QRegularExpression field(u"\\(([0-9]{2,4})\\)"_s);
    PackageCode code;
    auto fields = field.globalMatch(text);
    qsizetype expected = 0;
    while (fields.hasNext()) {
        const auto match = fields.next();
        if (match.capturedStart() != expected) {
            *error = u"GS1 metni bir (AI) ile başlamalı"_s;
            return std::nullopt;
        }
        const qsizetype end =
            fields.hasNext() ? fields.peekNext().capturedStart() : text.size();
        if (!take(code, match.captured(1), text.mid(match.capturedEnd(), end - match.capturedEnd()),
                  error)) {
            return std::nullopt;
        }
        expected = end;
    }
    if (expected == 0) {
        *error = u"GS1 metninde (AI) yok"_s;
        return std::nullopt;
    }
    return code;
}

std::optional<PackageCode> parseRaw(QStringView text, QString *error)
{
    PackageCode code;
    qsizetype at = 0;
    while (at < text.size()) {
        if (text[at] == GroupSeparator) {
            ++at;
            continue;
        }
        const auto shape = shapeOf(text.mid(at, 2));
        if (!allDigits(text.mid(at, 2)) || !shape || !allDigits(text.mid(at, shape->idDigits))
            || at + shape->idDigits > text.size()) {
            *error = u"GS1 metninde tanınmayan alan: %1"_s.arg(text.mid(at, 4));
            return std::nullopt;
        }
        const QString id = text.mid(at, shape->idDigits).toString();
        at += shape->idDigits;
        qsizetype end = shape->fixedLength > 0 ? at + shape->fixedLength : text.indexOf(GroupSeparator, at);
        if (end < 0)
            end = text.size();
        if (end > text.size() || (shape->fixedLength == 0 && end - at > LongestField)) {
            *error = u"GS1 (%1) alanı eksik ya da ayırıcısı yok"_s.arg(id);
            return std::nullopt;
        }
        if (!take(code, id, text.mid(at, end - at).toString(), error))
            return std::nullopt;
        at = end;
    }
    return code;
}

// Every field but the lot has a predefined length and the lot comes last,
// so the raw form needs no GS.
QString elementString(const PackageCode &code, bool brackets)
{
    const auto id = [brackets](QStringView digits) {
        return brackets ? u'(' + digits.toString() + u')' : digits.toString();
    };
    QString text;
    if (!code.gtin.isEmpty())
        text += id(u"01") + code.gtin;
    if (code.net)
        text += id(QString(u"310"_s + QString::number(code.decimals)))
                + u"%1"_s.arg(qlonglong(*code.net), 6, 10, QChar(u'0'));
    if (code.produced.isValid())
        text += id(u"11") + code.produced.toString(u"yyMMdd"_s);
    if (!code.lot.isEmpty())
        text += id(u"10") + code.lot;
    return text;
}

} // namespace

bool PackageCode::weighs(double kilo) const
{
    return net && std::llround(kilo * std::pow(10.0, decimals)) == *net;
}

QString PackageCode::bracketed() const
{
    return elementString(*this, true);
}

QString PackageCode::raw() const
{
    return elementString(*this, false);
}

std::optional<PackageCode> PackageCode::parse(const QString &text, QString *error)
{
    error->clear();
    if (text.startsWith(u'('))
        return parseBracketed(text, error);
    for (const QString &prefix : {u"]C1"_s, u"]d2"_s}) {
        if (text.startsWith(prefix))
            return parseRaw(QStringView(text).mid(prefix.size()), error);
    }
    if (text.contains(GroupSeparator))
        return parseRaw(text, error);
    // Digits alone may be a GS1 string without separators or a plain
    // barcode; only a GTIN field and more makes it the former.
    if (text.startsWith(u"01"_s) && text.size() > 16) {
        QString ignored;
        return parseRaw(text, &ignored);
    }
    return std::nullopt;
}
