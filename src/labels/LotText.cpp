#include "labels/LotText.h"

#include "gs1/Gs1Text.h"

using namespace Qt::StringLiterals;

namespace LotText {

QString refusal(const QString &lot)
{
    if (lot.size() > MaxLength)
        return u"Parti No en fazla %1 karakter olabilir (%2 karakter girildi)"_s.arg(MaxLength).arg(lot.size());
    if (const auto bad = Gs1::outsideCharacterSet82(lot)) {
        const QChar c = *bad;
        const QString shown = c.isPrint() && !c.isSpace() ? QString(c) : u"U+%1"_s.arg(int(c.unicode()), 4, 16, QChar(u'0')).toUpper();
        return u"Parti No'da \"%1\" kullanılamaz; yalnız rakamlar, A-Z harfleri ve "
               u"!\"%&'()*+,-./:;<=>?_ işaretleri olabilir"_s.arg(shown);
    }
    return {};
}

QString productionDateLot(const QDate &day)
{
    return day.toString(u"yyyy-MM-dd"_s);
}

} // namespace LotText
