#include "data/TurkishText.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace TurkishText {

QChar foldChar(QChar c)
{
    switch (c.unicode()) {
    case u'I':
        return QChar(0x0131); // ı
    case 0x0130:              // İ
        return u'i';
    default:
        return c.toLower();
    }
}

QString fold(QStringView text)
{
    QString result;
    result.resize(text.size());
    QChar *out = result.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 128 && u != u'I')
            *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        else
            *out++ = foldChar(c);
    }
    return result;
}

QString upper(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c == u'i')
            result += QChar(0x0130);
        else if (c.unicode() == 0x0131)
            result += u'I';
        else
            result += c.toUpper();
    }
    return result;
}

namespace {

QCollator turkishCollator(Qt::CaseSensitivity sensitivity)
{
    QCollator c{QLocale(QLocale::Turkish, QLocale::Turkey)};
    c.setCaseSensitivity(sensitivity);
    c.setNumericMode(false);
    return c;
}

QCollator &collator()
{
    thread_local QCollator collator = turkishCollator(Qt::CaseInsensitive);
    return collator;
}

// Only breaks ties between texts equal but for case.
QCollator &caseCollator()
{
    thread_local QCollator collator = turkishCollator(Qt::CaseSensitive);
    return collator;
}

} // namespace

int compare(QStringView a, QStringView b)
{
    return collator().compare(a, b);
}

std::vector<int> alphabeticalOrder(const QList<QString> &texts)
{
    // One key per text, then byte comparisons: far cheaper than comparing
    // the texts themselves n log n times.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString &text : texts)
        keys.push_back(collator().sortKey(text));
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    // Spellings that differ only by case fall the same way whatever order
    // the engine handed them in: "çiğ köfte" before "Çiğ Köfte".
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (const int byLetters = keys[a].compare(keys[b]); byLetters != 0)
            return byLetters < 0;
        if (const int byCase = caseCollator().compare(texts[a], texts[b]); byCase != 0)
            return byCase < 0;
        return texts[a] < texts[b];
    });
    return order;
}

namespace {

// Matches `text` against `part`, where "?" stands for any one character.
bool partMatchesAt(QStringView text, qsizetype at, QStringView part)
{
    if (at + part.size() > text.size())
        return false;
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (part[i] != u'?' && part[i] != text[at + i])
            return false;
    }
    return true;
}

qsizetype findPart(QStringView text, qsizetype from, QStringView part)
{
    if (!part.contains(u'?'))
        return text.indexOf(part, from);
    for (qsizetype at = from; at + part.size() <= text.size(); ++at) {
        if (partMatchesAt(text, at, part))
            return at;
    }
    return -1;
}

} // namespace

LikePattern::LikePattern(QStringView pattern)
{
    const QString folded = fold(pattern);
    m_anchoredStart = !folded.startsWith(u'*');
    m_anchoredEnd = !folded.endsWith(u'*');
    const QList<QStringView> parts = QStringView(folded).split(u'*', Qt::SkipEmptyParts);
    for (QStringView part : parts)
        m_parts << part.toString();
    if (m_parts.isEmpty() && !folded.isEmpty())
        m_anchoredStart = m_anchoredEnd = false; // only "*": matches everything
}

QChar LikePattern::leadingChar() const
{
    if (!m_anchoredStart || m_parts.isEmpty() || m_parts.first().isEmpty()
        || m_parts.first().front() == u'?')
        return {};
    return m_parts.first().front();
}

bool LikePattern::matches(QStringView text) const
{
    return matchesFolded(fold(text));
}

bool LikePattern::matchesFolded(QStringView text) const
{
    if (m_parts.isEmpty())
        return !m_anchoredStart ? true : text.isEmpty();

    qsizetype pos = 0;
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        const QString &part = m_parts[i];
        const bool first = i == 0;
        const bool last = i == m_parts.size() - 1;
        if (first && m_anchoredStart) {
            if (!partMatchesAt(text, 0, part))
                return false;
            pos = part.size();
            if (last && m_anchoredEnd)
                return pos == text.size();
            continue;
        }
        if (last && m_anchoredEnd) {
            const qsizetype at = text.size() - part.size();
            return at >= pos && partMatchesAt(text, at, part);
        }
        const qsizetype at = findPart(text, pos, part);
        if (at < 0)
            return false;
        pos = at + part.size();
    }
    return true;
}

} // namespace TurkishText
