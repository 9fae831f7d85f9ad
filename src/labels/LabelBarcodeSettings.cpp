#include "labels/LabelBarcodeSettings.h"

#include "labels/LabelsLog.h"
#include "station/SettingsStore.h"

using namespace Qt::StringLiterals;

namespace {
const QString Section = u"Properties"_s;
const QString KindSetting = u"EtiketBarkod"_s;
} // namespace

QString LabelBarcodeSettings::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Gs1_128:
        return u"gs1-128"_s;
    case Kind::Gs1DataMatrix:
        return u"gs1-datamatrix"_s;
    case Kind::Ean13:
        break;
    }
    return u"ean13"_s;
}

LabelBarcodeSettings LabelBarcodeSettings::read()
{
    LabelBarcodeSettings s;
    const QString kind = GetAppSetting(Section, KindSetting).trimmed().toLower();
    if (kind == kindName(Kind::Gs1_128)) {
        s.kind = Kind::Gs1_128;
    } else if (kind == kindName(Kind::Gs1DataMatrix)) {
        s.kind = Kind::Gs1DataMatrix;
    } else if (!kind.isEmpty() && kind != kindName(Kind::Ean13)) {
        // A mistyped kind must not quietly print labels without the plant's GS1 data.
        s.problem = u"EtiketBarkod ayarı \"%1\" tanınmıyor; ean13, gs1-128 ya da gs1-datamatrix olmalı"_s
                        .arg(kind);
        qCWarning(lcLabels) << "unknown EtiketBarkod setting" << kind;
    }
    const auto value = [](const QString &name) { return GetAppSetting(Section, name).trimmed(); };
    s.approvalNumber = value(u"OnayNo"_s);
    s.approvalCountry = value(u"UlkeKodu"_s);
    s.born = value(u"DogumUlkesi"_s);
    s.reared = value(u"BesiUlkesi"_s);
    s.slaughtered = value(u"KesimUlkesi"_s);
    s.cut = value(u"ParcalamaUlkesi"_s);
    return s;
}
