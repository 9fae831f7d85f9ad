#pragma once

#include <QByteArray>

// The words of the statuses the web server answers itself.
namespace StatusText {

// "Not Found" for the status line.
QByteArray reason(int status);
// A short Turkish page saying what went wrong.
QByteArray page(int status);

} // namespace StatusText
