#include "web/ServeCommand.h"

#include "data/DatabaseLocation.h"
#include "station/DatabaseSetting.h"
#include "station/Subcommand.h"
#include "web/PlantPages.h"
#include "web/QuitOnSignal.h"
#include "web/WebServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ServeCommand {
namespace {

const QString Command = u"serve"_s;

struct Listen
{
    QHostAddress address;
    quint16 port = 0;
};

// "127.0.0.1:8080", "[::1]:8080", "0.0.0.0:80"; port 0 takes any free one.
std::optional<Listen> parseListen(const QString &text)
{
    static const QRegularExpression form(u"^(?:\\[([^\\]]+)\\]|([^:\\[\\]]+)):([0-9]{1,5})$"_s);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString host = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    if (host == u"localhost"_s)
        host = u"127.0.0.1"_s;
    const QHostAddress address(host);
    const uint port = match.captured(3).toUInt();
    if (address.isNull() || port > 65535)
        return std::nullopt;
    return Listen{address, quint16(port)};
}

} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Tesisin günlük ve aylık üretimini salt okunur web sayfaları olarak sunar; "
        u"SIGTERM ya da SIGINT gelene dek çalışır. Sayfalar personel adı ve şifresiyle "
        u"(istasyondaki şifre ve kilit) ya da WebToken uygulama ayarındaki anahtarla "
        u"(Authorization: Bearer) açılır. Adres verilmezse yalnız bu makineden erişilir."_s);
    parser.addOption({u"listen"_s, u"dinlenecek adres ve port (varsayılan 127.0.0.1:8080; port 0 boş bir port seçer)"_s,
                      u"adres:port"_s, u"127.0.0.1:8080"_s});
    parser.addOption({u"folder"_s, u"istasyon klasörü (--data-dir yerine)"_s, u"klasör"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    if (!parser.positionalArguments().isEmpty()) {
        err << Command << ": fazla argüman: " << parser.positionalArguments().first() << Qt::endl;
        return 2;
    }
    const auto listen = parseListen(parser.value(u"listen"_s));
    if (!listen) {
        err << Command << ": geçersiz adres: " << parser.value(u"listen"_s) << Qt::endl;
        return 2;
    }
    const QString stationFolder = parser.isSet(u"folder"_s) ? parser.value(u"folder"_s) : folder;
    if (!QFileInfo(stationFolder).isDir()) {
        err << Command << ": istasyon klasörü yok: " << stationFolder << Qt::endl;
        return 1;
    }

    // The same choice the other commands make: the central server when the
    // Database setting names one, the station folder's files otherwise.
    QString problem;
    const QString url = DatabaseSetting::url(&problem);
    const auto location = problem.isEmpty() ? DatabaseLocation::parse(url, &problem) : std::nullopt;
    if (!location) {
        err << Command << ": " << problem << Qt::endl;
        return 1;
    }
    const PlantPages pages(location->central ? QString() : stationFolder, location->central ? url : QString());
    WebGate gate(pages, WebLogin(stationFolder), BearerToken::fromSettings());
    WebServer server(gate);
    QuitOnSignal quit;
    QString error;
    const quint16 port = server.start(listen->address, listen->port, &error);
    if (port == 0) {
        err << Command << ": " << parser.value(u"listen"_s) << " dinlenemiyor: " << error << Qt::endl;
        return 1;
    }
    const QString host = listen->address.protocol() == QAbstractSocket::IPv6Protocol
                             ? u'[' + listen->address.toString() + u']'
                             : listen->address.toString();
    out << "Dinleniyor: http://" << host << ':' << port << '/' << Qt::endl;
    QCoreApplication::exec();
    out << "Durduruldu" << Qt::endl;
    return 0;
}

} // namespace ServeCommand
