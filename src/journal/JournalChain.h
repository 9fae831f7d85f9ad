#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Each journal entry carries a SHA-256 link over the link before it, its id
// and its stored fields, so an entry changed, removed or put in between
// breaks every link after it. The latest link is also kept in the station
// key: a journal cut short or started again no longer reaches it.
namespace JournalChain {

// A stored field: its bytes as written, or no value (SQL NULL).
using Field = std::optional<QByteArray>;

// The link an unchained journal (or an empty one) starts from.
QByteArray start();
// The link of entry `id` with `fields`, following `previous`; hex text.
QByteArray link(const QByteArray &previous, qint64 id, const QList<Field> &fields);

struct Link
{
    qint64 id = 0;
    QByteArray hash;
};

// The latest link the station key holds for `journalFile`. No value when
// there is none; false with `problem` set when the key cannot be read.
bool keptLink(const QString &journalFile, std::optional<Link> &link, QString *problem = nullptr);
bool keepLink(const QString &journalFile, const Link &link);

} // namespace JournalChain
