#pragma once

#include "data/TurkishText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// A find criteria in the station's query dialect: comparisons joined by
// "And", such as  Unvan Like 'AB*'  or  Ürün='Dana Kuşbaşı'.  Texts compare
// the Turkish way without regard to case; dates are written #mm/dd/yyyy#.
class Criteria
{
public:
    enum class Op { Like, Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
    struct Term
    {
        QString field;
        Op op = Op::Equal;
        QVariant value; // QString, double or an ISO date text
        TurkishText::LikePattern pattern; // Like terms
        QString foldedValue;              // text terms
    };

    // No value when the text is not a criteria of this dialect.
    static std::optional<Criteria> parse(const QString &text);

    // Criteria texts built with the value quoted, so an apostrophe in a name
    // is part of the value and never ends the text.
    static QString likePrefix(const QString &field, const QString &text); // Field Like 'text*'
    static QString equals(const QString &field, const QString &text);     // Field='text'
    static QString quote(const QString &text);                            // 'Ali''nin'

    const QList<Term> &terms() const { return m_terms; }
    QStringList fields() const;

    // Whether term `index` holds for a stored value; `folded` is the stored
    // text folded with TurkishText::fold (searches cache it per column).
    bool termMatches(qsizetype index, const QVariant &stored, QStringView folded) const;
    // The folded first character a matching text of term `index` must start
    // with; null when there is none to rely on.
    QChar leadingChar(qsizetype index) const;

private:
    QList<Term> m_terms;
};
