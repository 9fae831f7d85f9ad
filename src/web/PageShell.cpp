#include "web/PageShell.h"

using namespace Qt::StringLiterals;

namespace PageShell {
namespace {

constexpr char16_t Style[] =
    u"body{font-family:sans-serif;margin:0;background:#f4f4f0;color:#222}"
    u"header{background:#3a4a5a;color:#fff;padding:.6em 1em}header a{color:#fff;margin-right:1em}"
    u"main{padding:1em}h1{font-size:1.4em;margin:.2em 0}h2{font-size:1.15em}"
    u"table{border-collapse:collapse;background:#fff;margin-bottom:1em}"
    u"th,td{border:1px solid #ccc;padding:.25em .6em;text-align:left}td.n{text-align:right}"
    u"tfoot td{font-weight:bold}a.csv{font-size:.8em;margin-left:.6em}.bos{color:#777}"
    u".grafik{overflow-x:auto;background:#fff;border:1px solid #ccc;margin-bottom:1em}"
    u"rect.bar{fill:#4a7fb0}rect.bar.eksi{fill:#c0504d}svg text{font-size:10px}";

// Polls the marker once a second; a moved marker reloads the page's <main>.
// An ended session (a shift later, or a restarted server) loads the page
// anew, which lands on the login form: a page left open must not look live
// while it no longer follows. A server out of reach is asked again.
// Served from its own path: the pages' policy runs no inline script.
constexpr char16_t Script[] =
    u"(function(){var m=document.body.getAttribute('data-isaret');"
    u"var p=document.currentScript.getAttribute('data-veri');"
    u"function g(u){return fetch(u,{cache:'no-store'}).then(function(r){"
    u"if(r.status===401||r.redirected){location.reload();throw 0;}return r;});}"
    u"setInterval(function(){g(p).then(function(r){return r.json();})"
    u".then(function(d){if(!d.isaret||d.isaret===m)return;"
    u"return g(location.href).then(function(r){return r.text();})"
    u".then(function(t){var n=new DOMParser().parseFromString(t,'text/html');"
    u"var main=n.querySelector('main');if(!main)return;"
    u"document.querySelector('main').replaceWith(main);"
    u"m=n.body.getAttribute('data-isaret');});}).catch(function(){});},1000);})();";

} // namespace

QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += u"&amp;"_s; break;
        case u'<': out += u"&lt;"_s; break;
        case u'>': out += u"&gt;"_s; break;
        case u'"': out += u"&quot;"_s; break;
        case u'\'': out += u"&#39;"_s; break;
        default: out += c;
        }
    }
    return out;
}

QByteArray document(const QString &title, const QString &nav, const QString &main, const QString &marker,
                    const QString &pollPath)
{
    QString page = u"<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\">"
                   u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"_s;
    page += u"<title>"_s + escape(title) + u"</title><style>"_s + QString::fromUtf16(Style)
        + u"</style></head>"_s;
    page += u"<body data-isaret=\"%1\"><header>%2</header><main><h1>%3</h1>%4</main>"_s.arg(
        escape(marker), nav, escape(title), main);
    if (!pollPath.isEmpty())
        page += u"<script src=\"%1\" data-veri=\"%2\"></script>"_s.arg(ScriptPath, escape(pollPath));
    page += u"</body></html>"_s;
    return page.toUtf8();
}

QByteArray script()
{
    return QString::fromUtf16(Script).toUtf8();
}

QByteArray errorPage(const QString &heading, const QString &sentence)
{
    return document(heading, u"<a href=\"/\">Bugün</a>"_s, u"<p>"_s + escape(sentence) + u"</p>"_s, {}, {});
}

} // namespace PageShell
