#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The plant's 8-bit Turkish code page, used by the station's text files.
namespace Windows1254 {

QString decode(QByteArrayView bytes);
// No value when a byte is one the code page leaves undefined.
std::optional<QString> decodeStrict(QByteArrayView bytes);
QByteArray encode(const QString &text); // characters outside the page become '?'

// Text files are Windows-1254; a file that is valid UTF-8 with non-ASCII
// letters was saved by a newer editor and is read as UTF-8.
QString decodeTextFile(const QByteArray &bytes);

} // namespace Windows1254
