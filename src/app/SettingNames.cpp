#include "app/SettingNames.h"

#include "data/TurkishText.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace SettingNames {
namespace {

qsizetype editDistance(const QString &a, const QString &b)
{
    std::vector<qsizetype> row(size_t(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[size_t(j)] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j - 1)] + 1,
                                       diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[size_t(b.size())];
}

} // namespace

const QStringList &known()
{
    static const QStringList names = {
        u"Tart0"_s,   u"Tart1"_s,   u"IpNo0"_s,    u"IpNo1"_s,     u"PortNo0"_s,       u"PortNo1"_s,
        u"Terazi0"_s, u"Terazi1"_s, u"EtTop"_s,    u"EtLeft"_s,    u"EtWidth"_s,       u"EtHeight"_s,
        u"FisYaz"_s,  u"PktYaz"_s,  u"Database"_s, u"StationName"_s, u"SiparisMusteri"_s, u"SiparisAlSat"_s};
    return names;
}

bool isKnown(const QString &name)
{
    return known().contains(name, Qt::CaseInsensitive);
}

QStringList nearest(const QString &name, const QStringList &candidates)
{
    const QString folded = TurkishText::fold(name);
    // A third of the name may be wrong, at least two letters.
    const qsizetype limit = std::max<qsizetype>(2, folded.size() / 3);
    std::vector<std::pair<qsizetype, QString>> near;
    for (const QString &candidate : candidates) {
        const qsizetype distance = editDistance(folded, TurkishText::fold(candidate));
        if (distance <= limit)
            near.emplace_back(distance, candidate);
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList result;
    for (size_t i = 0; i < near.size() && i < 3; ++i)
        result << near[i].second;
    return result;
}

} // namespace SettingNames
