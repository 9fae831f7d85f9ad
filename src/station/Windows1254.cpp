#include "station/Windows1254.h"

#include <QStringDecoder>
#include <array>

namespace Windows1254 {
namespace {

// 0x80..0x9F; 0 marks bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return High[byte - 0x80] ? High[byte - 0x80] : char16_t(byte);
    switch (byte) {
    case 0xD0: return 0x011E; // Ğ
    case 0xDD: return 0x0130; // İ
    case 0xDE: return 0x015E; // Ş
    case 0xF0: return 0x011F; // ğ
    case 0xFD: return 0x0131; // ı
    case 0xFE: return 0x015F; // ş
    default: return byte;     // the rest is Latin-1
    }
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (char byte : bytes)
        *out++ = QChar(toUnicode(static_cast<unsigned char>(byte)));
    return text;
}

std::optional<QString> decodeStrict(QByteArrayView bytes)
{
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b <= 0x9F && High[b - 0x80] == 0)
            return std::nullopt;
    }
    return decode(bytes);
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        char out = '?';
        if (u < 0x80) {
            out = char(u);
        } else {
            for (int b = 0x80; b <= 0xFF; ++b) {
                if (toUnicode(static_cast<unsigned char>(b)) == u) {
                    out = char(b);
                    break;
                }
            }
        }
        bytes += out;
    }
    return bytes;
}

QString decodeTextFile(const QByteArray &bytes)
{
    bool ascii = true;
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decode(bytes);
}

} // namespace Windows1254
