#include "web/LoginPage.h"

using namespace Qt::StringLiterals;

namespace LoginPage {

QByteArray html(const QString &message, const QString &name, const QString &next)
{
    QString page = uR"(<!DOCTYPE html>
<html lang="tr"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tavran - Giriş</title>
<style>
body { font-family: sans-serif; background: #eef2f5; margin: 0; }
form { max-width: 22em; margin: 10vh auto; background: #fff; padding: 1.5em 2em; border-radius: 6px; }
label, input, button { display: block; width: 100%; box-sizing: border-box; font-size: 1.1em; }
input { margin: .3em 0 1em; padding: .4em; }
button { padding: .5em; background: #2e7d32; color: #fff; border: 0; border-radius: 4px; }
.hata { color: #b71c1c; font-weight: bold; }
</style></head>
<body>
<form id="giris" method="post" action="/giris">
<h1>Tavran</h1>
)"_s;
    if (!message.isEmpty())
        page += u"<p class=\"hata\" id=\"mesaj\">"_s + message.toHtmlEscaped() + u"</p>\n"_s;
    page += u"<label for=\"ad\">Personel adı</label>\n"
            u"<input id=\"ad\" name=\"ad\" autocomplete=\"username\" required value=\""_s
            + name.toHtmlEscaped() + u"\">\n"_s
            + u"<label for=\"sifre\">Şifre</label>\n"
              u"<input id=\"sifre\" name=\"sifre\" type=\"password\" inputmode=\"numeric\" "
              u"autocomplete=\"current-password\" required>\n"_s;
    if (!next.isEmpty())
        page += u"<input type=\"hidden\" name=\"sonra\" value=\""_s + next.toHtmlEscaped() + u"\">\n"_s;
    page += u"<button type=\"submit\">GİRİŞ</button>\n</form>\n</body></html>\n"_s;
    return page.toUtf8();
}

} // namespace LoginPage
