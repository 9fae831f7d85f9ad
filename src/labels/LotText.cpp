#include "labels/LotText.h"

using namespace Qt::StringLiterals;

namespace LotText {

bool isGs1Character(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    return QStringView(u"!\"%&'()*+,-./:;<=>?_").contains(c);
}

QString refusal(const QString &lot)
{
    if (lot.size() > MaxLength)
        return u"Parti No en fazla %1 karakter olabilir (%2 karakter girildi)"_s.arg(MaxLength).arg(lot.size());
    for (const QChar c : lot) {
        if (!isGs1Character(c)) {
            const QString shown = c.isPrint() && !c.isSpace() ? QString(c) : u"U+%1"_s.arg(int(c.unicode()), 4, 16, QChar(u'0')).toUpper();
            return u"Parti No'da \"%1\" kullanılamaz; yalnız rakamlar, A-Z harfleri ve "
                   u"!\"%&'()*+,-./:;<=>?_ işaretleri olabilir"_s.arg(shown);
        }
    }
    return {};
}

QString productionDateLot(const QDate &day)
{
    return day.toString(u"yyyy-MM-dd"_s);
}

} // namespace LotText
