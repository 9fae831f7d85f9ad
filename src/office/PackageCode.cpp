#include "office/PackageCode.h"

#include "gs1/Gs1ElementString.h"
#include "gs1/Gs1Text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using Gs1ElementString::Problem;

// The parser's complaint as the office tells it.
QString turkish(const Problem &problem)
{
    const auto field = [&](const QString &why) {
        return u"GS1 (%1) alanı geçersiz: %2"_s.arg(problem.ai, why);
    };
    switch (problem.kind) {
    case Problem::None: return {};
    case Problem::NoElement: return u"GS1 metninde (AI) yok"_s;
    case Problem::NoIdentifierFirst: return u"GS1 metni bir (AI) ile başlamalı"_s;
    case Problem::UnknownIdentifier: return u"GS1 metninde tanınmayan alan: %1"_s.arg(problem.ai);
    case Problem::Empty: return field(u"boş"_s);
    case Problem::WrongLength: return field(u"%1 hane olmalı"_s.arg(problem.length));
    case Problem::TooLong:
        return problem.ai == u"10" ? field(u"en çok 20 karakter, bir kez"_s)
                                   : u"GS1 (%1) alanı çok uzun ya da ayırıcısı yok"_s.arg(problem.ai);
    case Problem::NotDigits: return field(u"yalnız rakam olmalı"_s);
    case Problem::OutsideCharacterSet: return field(u"GS1 karakter kümesi dışında işaret var"_s);
    }
    return {};
}

// Takes one well-formed field into `code`; false with `error` when its
// content is wrong or repeated.
bool take(PackageCode &code, const QString &id, const QString &data, QString *error)
{
    const auto fail = [&](const QString &why) {
        *error = u"GS1 (%1) alanı geçersiz: %2"_s.arg(id, why);
        return false;
    };
    if (id == u"01") {
        if (!code.gtin.isEmpty())
            return fail(u"iki kez var"_s);
        if (Gs1::checkDigit(QStringView(data).first(13)) != data[13].digitValue())
            return fail(u"denetim hanesi yanlış"_s);
        code.gtin = data;
    } else if (id.size() == 4 && id.startsWith(u"310")) {
        const int decimals = id[3].digitValue();
        if (decimals > 5 || code.net)
            return fail(u"ondalık hanesi ya da tekrar"_s);
        code.decimals = decimals;
        code.net = data.toLongLong();
    } else if (id == u"10") {
        if (!code.lot.isEmpty())
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

std::optional<PackageCode> fromElements(const QString &text, QString *error)
{
    const Gs1ElementString::Parsed parsed = Gs1ElementString::parse(text);
    if (!parsed.ok()) {
        *error = turkish(parsed.problem);
        return std::nullopt;
    }
    PackageCode code;
    for (const Gs1ElementString::Element &element : parsed.elements) {
        if (!take(code, element.ai, element.value, error))
            return std::nullopt;
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
    const bool prefixed = std::any_of(Gs1ElementString::SymbologyPrefixes.begin(),
                                      Gs1ElementString::SymbologyPrefixes.end(),
                                      [&](QStringView prefix) { return text.startsWith(prefix); });
    if (text.startsWith(u'(') || prefixed || text.contains(Gs1ElementString::GroupSeparator))
        return fromElements(text, error);
    // Digits alone may be a GS1 string without separators or a plain
    // barcode; only a GTIN field and more makes it the former.
    if (text.startsWith(u"01"_s) && text.size() > 16) {
        QString ignored;
        return fromElements(text, &ignored);
    }
    return std::nullopt;
}
