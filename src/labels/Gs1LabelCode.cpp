#include "labels/Gs1LabelCode.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Gs1LabelCode {
namespace {

// Checks a text against the 82-character set and its longest length.
QString textProblem(const QString &what, const QString &text, int longest)
{
    if (const auto bad = Gs1::outsideCharacterSet82(text))
        return u"%1 \"%2\" içinde GS1 barkoda yazılamayan karakter var: «%3»"_s.arg(what, text, *bad);
    if (text.size() > longest)
        return u"%1 \"%2\" en çok %3 karakter olabilir"_s.arg(what, text).arg(longest);
    return {};
}

// Comma-separated ISO 3166 numeric codes, at most `most`; joined as GS1 wants them.
std::optional<QString> countryCodes(const QString &setting, int most)
{
    static const QRegularExpression Code(u"^[0-9]{3}$"_s);
    const QStringList codes = setting.split(u',', Qt::SkipEmptyParts);
    if (codes.isEmpty() || codes.size() > most)
        return std::nullopt;
    QString joined;
    for (const QString &code : codes) {
        if (!Code.match(code.trimmed()).hasMatch())
            return std::nullopt;
        joined += code.trimmed();
    }
    return joined;
}

} // namespace

QString dateLot(const QDate &packed)
{
    return packed.toString(u"yyyy-MM-dd"_s);
}

Result elements(const Input &in, const LabelBarcodeSettings &settings)
{
    Result r;
    const auto refuse = [&r](const QString &reason) {
        r.elements.clear();
        r.reason = reason;
        return r;
    };
    if (!settings.problem.isEmpty())
        return refuse(settings.problem);

    QString why;
    const auto gtin = Gs1::variableMeasureGtin(in.gtin, &why);
    if (!gtin)
        return refuse(why);
    r.elements.append({u"01"_s, *gtin});

    const double grams = std::round(in.netKg * 1000.0);
    if (!std::isfinite(grams) || grams <= 0 || grams > 999999)
        return refuse(u"net ağırlık %1 kg GS1 barkoda yazılamaz; 0,001 ile 999,999 kg arasında olmalı"_s
                          .arg(in.netKg, 0, 'f', 3));
    r.elements.append({u"3103"_s, QString::number(qint64(grams)).rightJustified(6, u'0')});

    // A use-by of 29 February in a year without one has no GS1 date.
    if (!in.packed.isValid() || !in.useBy.isValid())
        return refuse(u"üretim ya da son tüketim tarihi takvimde yok; GS1 barkoda yazılamaz"_s);
    r.elements.append({u"13"_s, in.packed.toString(u"yyMMdd"_s)});
    r.elements.append({u"17"_s, in.useBy.toString(u"yyMMdd"_s)});

    const QString lot = in.lot.isEmpty() ? dateLot(in.packed) : in.lot;
    if (const QString p = textProblem(u"parti no"_s, lot, 20); !p.isEmpty())
        return refuse(p);
    r.elements.append({u"10"_s, lot});
    if (!in.animal.isEmpty()) {
        if (const QString p = textProblem(u"hayvan kimliği"_s, in.animal, 30); !p.isEmpty())
            return refuse(p);
        r.elements.append({u"251"_s, in.animal});
    }

    if (!settings.approvalNumber.isEmpty() || !settings.approvalCountry.isEmpty()) {
        const auto country = countryCodes(settings.approvalCountry, 1);
        if (!country || settings.approvalNumber.isEmpty())
            return refuse(u"OnayNo ve UlkeKodu birlikte verilmeli (UlkeKodu 3 haneli ISO ülke kodu, örneğin 792)"_s);
        if (const QString p = textProblem(u"OnayNo"_s, settings.approvalNumber, 27); !p.isEmpty())
            return refuse(p);
        r.elements.append({u"7030"_s, *country + settings.approvalNumber});
    }
    const struct
    {
        const char16_t *ai;
        const char16_t *name;
        const QString &value;
        int most;
    } countries[] = {{u"422", u"DogumUlkesi", settings.born, 1},
                     {u"423", u"BesiUlkesi", settings.reared, 5},
                     {u"424", u"KesimUlkesi", settings.slaughtered, 1},
                     {u"425", u"ParcalamaUlkesi", settings.cut, 5}};
    for (const auto &c : countries) {
        if (c.value.isEmpty())
            continue;
        const auto codes = countryCodes(c.value, c.most);
        if (!codes)
            return refuse(u"%1 ayarı \"%2\" 3 haneli ISO ülke kodu olmalı (en çok %3 tane, virgülle)"_s
                              .arg(QString::fromUtf16(c.name), c.value)
                              .arg(c.most));
        r.elements.append({QString::fromUtf16(c.ai), *codes});
    }
    std::stable_partition(r.elements.begin(), r.elements.end(),
                          [](const Gs1Element &e) { return Gs1::hasFixedLength(e.ai); });
    return r;
}

} // namespace Gs1LabelCode
