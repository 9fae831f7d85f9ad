#pragma once

#include <QString>
#include <QStringView>
#include <QList>
#include <vector>

// Text comparison the Turkish way, without regard to case: "I" pairs with
// "ı", "İ" with "i". Searches, criteria and the TURKISH collation use it.
namespace TurkishText {

// Lower case by Turkish rules; equal folds mean equal texts for searches.
QString fold(QStringView text);
QChar foldChar(QChar c);

// Upper case by Turkish rules (i -> İ, ı -> I).
QString upper(QStringView text);

// Alphabetical order: Cam, Çiğ, Dana, Isı, ışık, İnek, Sucuk, Şiş, Uzun, Ürün.
int compare(QStringView a, QStringView b);

// The positions of `texts` in alphabetical order (as compare() orders them);
// texts equal but for case in case order (lower case first), identical
// texts in their given order.
std::vector<int> alphabeticalOrder(const QList<QString> &texts);

// A Like pattern: "*" any run of characters, "?" one character; everything
// else literal. Compiled once, matched against folded texts.
class LikePattern
{
public:
    explicit LikePattern(QStringView pattern = {});
    bool matches(QStringView text) const;               // folds `text` itself
    bool matchesFolded(QStringView foldedText) const;   // `text` already folded
    // The folded first character every match starts with; null when a match
    // may start with any character.
    QChar leadingChar() const;

private:
    QList<QString> m_parts; // literal runs between "*", "?" kept inside them
    bool m_anchoredStart = true;
    bool m_anchoredEnd = true;
};

} // namespace TurkishText
