#include "screens/KeyboardSearch.h"

#include "data/Criteria.h"
#include "data/Recordset.h"
#include "screens/KeyboardLayouts.h"

using namespace Qt::StringLiterals;

namespace KeyboardSearch {

QString afterCustomerKey(const QString &text, int index, const QString &caption)
{
    using namespace KeyboardLayouts::CustomerKeys;
    switch (index) {
    case Sil:
        return {};
    case GeriAl:
        return text.left(text.size() - 1);
    case Space:
        return text + u' ';
    default:
        return text + caption;
    }
}

QString afterProductKey(const QString &text, int index, const QString &caption,
                        const QString &foundName)
{
    using namespace KeyboardLayouts::ProductKeys;
    switch (index) {
    case FirstWord: {
        if (text.isEmpty())
            return text;
        const qsizetype blank = foundName.indexOf(u' ');
        return blank < 0 ? text : foundName.left(blank + 1);
    }
    case Back:
        return text.left(text.size() - 1);
    case Sil:
        return {};
    default:
        return text + caption;
    }
}

int findFirstStartingWith(Recordset &records, const QString &field, const QString &text)
{
    // "**" and "*" match the same; the shorter pattern is cheaper to match.
    QString pattern = text;
    while (pattern.contains(u"**"_s))
        pattern.replace(u"**"_s, u"*"_s);
    if (!records.findFirst(Criteria::likePrefix(field, pattern)))
        return -1;
    return records.absolutePosition();
}

} // namespace KeyboardSearch
