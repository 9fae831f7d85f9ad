#include "web/StatusText.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace StatusText {
namespace {

struct Known
{
    int status;
    const char *reason;
    const char16_t *turkish;
};

const Known Table[] = {
    {200, "OK", u"Tamam"},
    {303, "See Other", u"Yönlendiriliyor"},
    {400, "Bad Request", u"İstek anlaşılamadı"},
    {401, "Unauthorized", u"Giriş gerekli"},
    {403, "Forbidden", u"Erişim yok"},
    {404, "Not Found", u"Sayfa bulunamadı"},
    {405, "Method Not Allowed", u"Bu istek yöntemi kabul edilmiyor"},
    {408, "Request Timeout", u"İstek zamanında tamamlanmadı"},
    {411, "Length Required", u"İsteğin uzunluğu belirtilmeli"},
    {413, "Payload Too Large", u"İstek gövdesi çok büyük"},
    {415, "Unsupported Media Type", u"İstek biçimi kabul edilmiyor"},
    {429, "Too Many Requests", u"Çok fazla deneme"},
    {431, "Request Header Fields Too Large", u"İstek başlıkları çok büyük"},
    {500, "Internal Server Error", u"Sunucu hatası"},
    {503, "Service Unavailable", u"Sunucu şu an meşgul"},
};

const Known *find(int status)
{
    for (const Known &known : Table) {
        if (known.status == status)
            return &known;
    }
    return nullptr;
}

} // namespace

QByteArray reason(int status)
{
    const Known *known = find(status);
    return known ? QByteArray(known->reason) : QByteArray("Error");
}

QByteArray page(int status)
{
    const Known *known = find(status);
    const QString text = known ? QString::fromUtf16(known->turkish) : u"Hata"_s;
    return (u"<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\"><title>%1</title></head>"
            u"<body><h1>%1</h1><p>%2</p></body></html>\n"_s)
        .arg(status)
        .arg(text)
        .toUtf8();
}

} // namespace StatusText
