#include "data/DatabaseLocation.h"

#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

std::optional<DatabaseLocation> DatabaseLocation::parse(const QString &text, QString *error)
{
    const auto refuse = [&](const QString &why) -> std::optional<DatabaseLocation> {
        if (error)
            *error = u"Veritabanı adresi kullanılamaz (%1): %2"_s.arg(why, text);
        return std::nullopt;
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return DatabaseLocation{};
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return refuse(u"adres okunamadı"_s);
    if (url.scheme() != u"postgresql"_s && url.scheme() != u"postgres"_s)
        return refuse(u"postgresql:// ile başlamalı"_s);
    if (!url.password().isEmpty())
        return refuse(u"parola adreste olmaz; ~/.pgpass veya PGPASSWORD kullanın"_s);
    DatabaseLocation location;
    location.central = true;
    location.user = url.userName();
    location.host = url.host();
    location.port = url.port(5432);
    location.name = url.path().mid(1);
    if (location.host.isEmpty())
        return refuse(u"sunucu adı yok"_s);
    if (location.name.isEmpty() || location.name.contains(u'/'))
        return refuse(u"veritabanı adı yok"_s);
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key != u"sslmode"_s)
            return refuse(u"bilinmeyen ayar %1"_s.arg(key));
        location.sslMode = value;
    }
    return location;
}

QString DatabaseLocation::display() const
{
    if (!central)
        return u"istasyon klasörü"_s;
    QString text = u"postgresql://"_s;
    if (!user.isEmpty())
        text += user + u'@';
    text += host + u':' + QString::number(port) + u'/' + name;
    if (!sslMode.isEmpty())
        text += u"?sslmode="_s + sslMode;
    return text;
}
