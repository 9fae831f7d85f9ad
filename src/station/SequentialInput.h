#pragma once

#include <QString>
#include <QStringList>

// Reads fields the way the classic sequential file input does: a field ends
// at a comma or a line end; a field in double quotes may hold commas and ends
// at the closing quote; blanks around an unquoted field are dropped; an empty
// line is one empty field.
namespace SequentialInput {

QStringList fields(const QString &text);

// Reads a station text file (Windows-1254, or UTF-8 when it is valid UTF-8)
// into fields. An unreadable or missing file gives no fields and `ok` false.
QStringList readFile(const QString &path, bool *ok = nullptr);

} // namespace SequentialInput
