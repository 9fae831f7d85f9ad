#include "station/SequentialInput.h"

#include "station/Windows1254.h"

#include <QFile>

namespace SequentialInput {

QStringList fields(const QString &text)
{
    QStringList result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    // CR LF counts as one line end.
    auto skipLineEnd = [&] {
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
    };

    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            break;
        if (isLineEnd(text[i])) {
            // An empty line is an empty field: the fields after it keep
            // their places.
            result << QString();
            skipLineEnd();
            continue;
        }
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < n && text[i] != u'"')
                field += text[i++];
            if (i < n)
                ++i; // closing quote
            // Anything up to the next comma or line end belongs to nothing.
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
        } else {
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                field += text[i++];
            field = field.trimmed();
        }
        result << field;
        if (i < n && text[i] == u',') {
            ++i;
            // A comma right before the line end leaves one more empty field.
            while (i < n && isBlank(text[i]))
                ++i;
            if (i >= n || isLineEnd(text[i])) {
                result << QString();
                skipLineEnd();
            }
        } else {
            skipLineEnd();
        }
    }
    return result;
}

QStringList readFile(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return fields(Windows1254::decodeTextFile(file.readAll()));
}

} // namespace SequentialInput
