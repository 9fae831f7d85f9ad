#pragma once

#include <QByteArrayView>
#include <QString>

// Bytes from a scale or serial device read as text in the plant's 8-bit code
// page (Windows-1254, Turkish). Every byte gives one character, so lengths and
// positions stay those of the bytes.
QString decodeAnsi(QByteArrayView bytes);
