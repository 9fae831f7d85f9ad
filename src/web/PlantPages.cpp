#include "web/PlantPages.h"

using namespace Qt::StringLiterals;

PlantPages::PlantPages(const QString &stationFolder, const QString &centralUrl)
    : m_folder(stationFolder)
    , m_centralUrl(centralUrl)
{
}

WebResponse PlantPages::respond(const WebRequest &request) const
{
    if (request.path != u"/"_s) {
        return {404, "text/html; charset=utf-8",
                "<!DOCTYPE html><html lang=\"tr\"><meta charset=\"utf-8\"><title>404</title>"
                "<p>Sayfa bulunamadı</p></html>\n",
                {}};
    }
    const QString source = m_centralUrl.isEmpty() ? u"İstasyon klasörü"_s : u"Merkez sunucu"_s;
    return {200, "text/html; charset=utf-8",
            (u"<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\"><title>Tavran</title></head>"
             u"<body><h1 id=\"baslik\">Bugünün üretimi</h1><p>"_s
             + source + u"</p></body></html>\n"_s)
                .toUtf8(),
            {}};
}
