#include "data/Criteria.h"

#include "data/TurkishText.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

class Tokenizer
{
public:
    explicit Tokenizer(const QString &text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    QString identifier()
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == u'[') {
            const qsizetype end = m_text.indexOf(u']', m_pos);
            if (end < 0)
                return {};
            const QString name = m_text.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }
    std::optional<Criteria::Op> op()
    {
        skipBlanks();
        static const std::pair<QString, Criteria::Op> ops[] = {
            {u"<>"_s, Criteria::Op::NotEqual}, {u"<="_s, Criteria::Op::LessEqual},
            {u">="_s, Criteria::Op::GreaterEqual}, {u"="_s, Criteria::Op::Equal},
            {u"<"_s, Criteria::Op::Less}, {u">"_s, Criteria::Op::Greater}};
        for (const auto &[text, value] : ops) {
            if (QStringView(m_text).mid(m_pos).startsWith(text)) {
                m_pos += text.size();
                return value;
            }
        }
        const qsizetype save = m_pos;
        if (identifier().compare(u"Like"_s, Qt::CaseInsensitive) == 0)
            return Criteria::Op::Like;
        m_pos = save;
        return std::nullopt;
    }
    std::optional<QVariant> value()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            return std::nullopt;
        const QChar c = m_text[m_pos];
        if (c == u'\'' || c == u'"') {
            QString result;
            ++m_pos;
            while (m_pos < m_text.size()) {
                if (m_text[m_pos] == c) {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == c) {
                        result += c; // doubled quote
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    return QVariant(result);
                }
                result += m_text[m_pos++];
            }
            return std::nullopt; // unterminated
        }
        if (c == u'#') {
            const qsizetype end = m_text.indexOf(u'#', m_pos + 1);
            if (end < 0)
                return std::nullopt;
            const QDate date = QDate::fromString(m_text.mid(m_pos + 1, end - m_pos - 1), u"M/d/yyyy"_s);
            if (!date.isValid())
                return std::nullopt;
            m_pos = end + 1;
            return QVariant(date.toString(Qt::ISODate));
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isDigit() || m_text[m_pos] == u'.' || m_text[m_pos] == u'-'))
            ++m_pos;
        bool ok = false;
        const double number = m_text.mid(start, m_pos - start).toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return QVariant(number);
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

std::optional<Criteria> Criteria::parse(const QString &text)
{
    Criteria result;
    Tokenizer tokens(text);
    while (true) {
        Term term;
        term.field = tokens.identifier();
        if (term.field.isEmpty())
            return std::nullopt;
        const auto op = tokens.op();
        if (!op)
            return std::nullopt;
        term.op = *op;
        const auto value = tokens.value();
        if (!value)
            return std::nullopt;
        term.value = *value;
        if (term.op == Op::Like)
            term.pattern = TurkishText::LikePattern(term.value.toString());
        else if (term.value.typeId() == QMetaType::QString)
            term.foldedValue = TurkishText::fold(term.value.toString());
        result.m_terms << term;
        if (tokens.atEnd())
            break;
        if (tokens.identifier().compare(u"And"_s, Qt::CaseInsensitive) != 0)
            return std::nullopt;
    }
    return result;
}

QString Criteria::quote(const QString &text)
{
    QString escaped = text;
    escaped.replace(u"'"_s, u"''"_s);
    return u'\'' + escaped + u'\'';
}

QString Criteria::likePrefix(const QString &field, const QString &text)
{
    return field + u" Like "_s + quote(text + u'*');
}

QString Criteria::equals(const QString &field, const QString &text)
{
    return field + u'=' + quote(text);
}

QStringList Criteria::fields() const
{
    QStringList result;
    for (const Term &term : m_terms)
        result << term.field;
    return result;
}

QChar Criteria::leadingChar(qsizetype index) const
{
    const Term &term = m_terms[index];
    if (term.op == Op::Like)
        return term.pattern.leadingChar();
    if (term.op == Op::Equal && !term.foldedValue.isEmpty())
        return term.foldedValue.front();
    return {};
}

bool Criteria::termMatches(qsizetype index, const QVariant &stored, QStringView folded) const
{
    const Term &term = m_terms[index];
    if (stored.isNull())
        return false; // Null satisfies no comparison
    if (term.op == Op::Like)
        return term.pattern.matchesFolded(folded);

    int c = 0;
    if (term.value.typeId() == QMetaType::Double) {
        bool ok = false;
        const double v = stored.toDouble(&ok);
        if (!ok)
            return false;
        const double wanted = term.value.toDouble();
        c = v < wanted ? -1 : (v > wanted ? 1 : 0);
    } else if (term.op == Op::Equal || term.op == Op::NotEqual) {
        c = folded == term.foldedValue ? 0 : 1;
    } else {
        c = TurkishText::compare(stored.toString(), term.value.toString());
    }
    switch (term.op) {
    case Op::Equal: return c == 0;
    case Op::NotEqual: return c != 0;
    case Op::Less: return c < 0;
    case Op::LessEqual: return c <= 0;
    case Op::Greater: return c > 0;
    case Op::GreaterEqual: return c >= 0;
    case Op::Like: break;
    }
    return false;
}
