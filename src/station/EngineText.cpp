#include "station/EngineText.h"

#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

namespace EngineText {
namespace {

struct Known
{
    QRegularExpression engine;
    QString turkish;
};

QRegularExpression caseless(const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

// The engine messages an operator meets, and what they mean to him.
const QList<Known> &knownMessages()
{
    static const QList<Known> known = {
        {caseless(u"database (table )?is locked|database is busy"_s),
         u"veritabanını başka bir program kilitli tutuyor"_s},
        {caseless(u"attempt to write a readonly database|read-?only (database|file system)"_s),
         u"veritabanı salt okunur, yazılamıyor"_s},
        {caseless(u"database or disk is full|no space left on device"_s), u"disk dolu"_s},
        {caseless(u"disk I/O error|I/O error"_s), u"disk okunamadı ya da yazılamadı"_s},
        {caseless(u"database disk image is malformed|file is (encrypted or is )?not a database"_s),
         u"veritabanı dosyası bozuk"_s},
        {caseless(u"unable to open database( file)?|unable to open|cannot open"_s),
         u"veritabanı açılamadı"_s},
        {caseless(u"permission denied"_s), u"dosyaya erişim izni yok"_s},
        {caseless(u"constraint failed"_s), u"kayıt veritabanının kurallarına uymuyor"_s},
        {caseless(u"no such (table|column)"_s), u"veritabanının yapısı eksik"_s},
        {caseless(u"could not connect to server|connection refused|server closed the connection"
                  u"|connection timed out|timeout expired|no route to host"_s),
         u"merkez sunucuya ulaşılamadı"_s},
        {caseless(u"canceling statement due to statement timeout"_s), u"sunucu zamanında yanıt vermedi"_s},
        {caseless(u"out of memory"_s), u"bellek yetmedi"_s},
    };
    return known;
}

// The station's records put the engine's operation before its message.
bool isOperation(const QString &part)
{
    static const QRegularExpression operation(
        u"^(query|insert|update|delete|read|defaults|prepare|exec|commit|begin)$"_s);
    return operation.match(part).hasMatch();
}

// English the table above does not know: words the station's own Turkish
// never uses, in a part with no Turkish letter.
bool isUnknownEnglish(const QString &part)
{
    static const QRegularExpression turkishLetter(u"[çğıöşüÇĞİÖŞÜ]"_s);
    static const QRegularExpression englishWord = caseless(
        u"\\b(error|failed|cannot|unable|no such|database|driver|statement|query|connection|server"
        u"|denied|mismatch|fetch|execute|locked|timeout|unknown|invalid)\\b"_s);
    return !part.contains(turkishLetter) && part.contains(englishWord);
}

// What the driver adds after the engine's message; it tells the operator nothing.
QString withoutDriverRemark(const QString &part)
{
    static const QRegularExpression remark(
        u"\\s*\\b(Unable to fetch row|Unable to execute (multiple )?statements?( at a time)?"
        u"|Unable to (begin|commit|roll back|rollback) transaction)\\s*$"_s);
    QString bare = part;
    bare.remove(remark);
    return bare.trimmed().isEmpty() ? part : bare;
}

// The Turkish for an engine part; no value for the station's own text.
std::optional<QString> turkishFor(const QString &part)
{
    for (const Known &known : knownMessages()) {
        if (part.contains(known.engine))
            return known.turkish;
    }
    const QString bare = withoutDriverRemark(part);
    if (isUnknownEnglish(bare))
        return u"veritabanı hatası"_s;
    if (bare != part)
        return bare;
    return std::nullopt;
}

} // namespace

QString forOperator(const QString &text)
{
    // Parts between the marks that frame an engine message; a product's
    // name in «» is the operator's own and stays.
    static const QRegularExpression separator(u": |\\(|\\)|; |\\n|«|»"_s);
    QString shown;
    QString pendingMark;
    bool inName = false;
    bool afterEngine = false; // the engine's own continuation says nothing more
    qsizetype from = 0;
    for (;;) {
        const QRegularExpressionMatch mark = separator.match(text, from);
        const qsizetype end = mark.hasMatch() ? mark.capturedStart() : text.size();
        const QString part = text.mid(from, end - from);
        if (!inName && mark.captured() == u": "_s && isOperation(part.trimmed())) {
            from = mark.capturedEnd();
            continue;
        }
        const std::optional<QString> turkish = inName ? std::nullopt : turkishFor(part);
        if (!(turkish && afterEngine))
            shown += pendingMark + turkish.value_or(part);
        pendingMark.clear();
        afterEngine = turkish.has_value();
        if (!mark.hasMatch())
            break;
        const QString captured = mark.captured();
        // Brackets always stay paired.
        if (captured == u")"_s || captured == u"»"_s || captured == u"("_s || captured == u"«"_s) {
            shown += pendingMark + captured;
            pendingMark.clear();
            afterEngine = false;
        } else {
            pendingMark += captured;
        }
        inName = captured == u"«"_s;
        from = mark.capturedEnd();
    }
    return QString(shown + pendingMark).trimmed();
}

} // namespace EngineText
