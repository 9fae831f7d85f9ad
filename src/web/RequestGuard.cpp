#include "web/RequestGuard.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

using namespace Qt::StringLiterals;

#include <algorithm>
#include <optional>

RequestGuard::RequestGuard(Limits limits)
    : m_limits(limits)
{
}

namespace {

// Where the blank line ending a header block ends (bare LF lines count, as
// HTTP parsers accept them), or -1. Leading blank lines before a request line
// are no header block.
qsizetype headerEnd(const QByteArray &bytes, qsizetype from)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < bytes.size(); ++i) {
        if (bytes[i] != '\n' || i == 0)
            continue;
        if (bytes[i - 1] == '\n')
            return i + 1;
        if (bytes[i - 1] == '\r' && i >= 2 && bytes[i - 2] == '\n')
            return i + 1;
    }
    return -1;
}

// A header field's name: letters, digits and the few marks of an HTTP token.
bool validName(QByteArrayView name)
{
    static constexpr QByteArrayView Marks = "!#$%&'*+-.^_`|~";
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || Marks.contains(c);
    });
}

} // namespace

RequestGuard::Verdict RequestGuard::feed(QByteArrayView bytes)
{
    while (m_verdict == Verdict::Fine && !bytes.isEmpty()) {
        if (m_bodyLeft > 0) {
            const qsizetype taken = qsizetype(std::min<qint64>(m_bodyLeft, bytes.size()));
            m_bodyLeft -= taken;
            bytes = bytes.sliced(taken);
            continue;
        }
        // Blank lines between requests are allowed and belong to none.
        if (m_header.isEmpty()) {
            while (!bytes.isEmpty() && (bytes.front() == '\r' || bytes.front() == '\n'))
                bytes = bytes.sliced(1);
            if (bytes.isEmpty())
                break;
        }
        const qsizetype searchFrom = m_header.size() - 2;
        const qsizetype room = m_limits.headerBytes + 1 - m_header.size();
        const qsizetype taken = std::min(room, bytes.size());
        m_header.append(bytes.first(taken));
        if (!m_lineChecked && m_header.contains('\n')) {
            m_verdict = checkRequestLine();
            if (m_verdict != Verdict::Fine)
                break;
        }
        const qsizetype end = headerEnd(m_header, searchFrom);
        if (end < 0) {
            if (m_header.size() > m_limits.headerBytes)
                m_verdict = Verdict::HeaderTooLarge;
            bytes = bytes.sliced(taken);
            continue;
        }
        // What followed the header block goes round again as body or the next request.
        bytes = bytes.sliced(taken - (m_header.size() - end));
        m_verdict = endOfHeader(end);
    }
    return m_verdict;
}

// "GET /gun?tarih=2026-12-09 HTTP/1.1": anything else is answered here, as
// the HTTP parser would only drop the connection without a word.
RequestGuard::Verdict RequestGuard::checkRequestLine()
{
    static const QRegularExpression form(u"^[A-Z]{1,16} [^ \\x00-\\x1f\\x7f]+ HTTP/1\\.[01]\\r?$"_s);
    m_lineChecked = true;
    const QByteArray line = m_header.first(m_header.indexOf('\n'));
    return form.match(QString::fromLatin1(line)).hasMatch() ? Verdict::Fine : Verdict::Malformed;
}

RequestGuard::Verdict RequestGuard::endOfHeader(qsizetype end)
{
    const QList<QByteArray> lines = m_header.first(end).split('\n');
    m_header.clear();
    m_lineChecked = false;
    std::optional<qint64> length;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = colon < 0 ? QByteArray() : line.first(colon).toLower();
        if (line.trimmed().isEmpty())
            continue;
        if (!validName(name))
            return Verdict::Malformed;
        const QByteArray value = line.sliced(colon + 1).trimmed();
        if (name == "transfer-encoding")
            return Verdict::LengthRequired;
        if (name != "content-length")
            continue;
        bool ok = false;
        const qint64 parsed = value.toLongLong(&ok);
        const bool digitsOnly = !value.isEmpty()
                                && std::all_of(value.begin(), value.end(),
                                               [](char c) { return c >= '0' && c <= '9'; });
        if (!ok || !digitsOnly || (length && *length != parsed))
            return Verdict::Malformed;
        length = parsed;
    }
    if (length.value_or(0) > m_limits.bodyBytes)
        return Verdict::BodyTooLarge;
    m_bodyLeft = length.value_or(0);
    return Verdict::Fine;
}

bool RequestGuard::midRequest() const
{
    return m_bodyLeft > 0 || !m_header.isEmpty();
}

int RequestGuard::status(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Fine:
        return 200;
    case Verdict::HeaderTooLarge:
        return 431;
    case Verdict::BodyTooLarge:
        return 413;
    case Verdict::LengthRequired:
        return 411;
    case Verdict::Malformed:
        break;
    }
    return 400;
}
