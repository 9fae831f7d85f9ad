#include "app/DatabaseCommand.h"

#include "data/CentralCopy.h"
#include "data/CentralDatabase.h"
#include "data/DatabaseLocation.h"
#include "station/DatabaseSetting.h"
#include "station/Subcommand.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace DatabaseCommand {

int run(const QStringList &arguments, const QString &, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(u"işlem"_s, u"init ya da copy"_s);
    parser.addOption({u"from"_s, u"aktarılacak istasyon klasörü"_s, u"klasör"_s});
    parser.addOption({u"append"_s, u"sunucuda hareket olsa da aktarır"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    const QString action = parser.positionalArguments().value(0);
    const bool copy = action == u"copy"_s;
    if ((action != u"init"_s && !copy) || (copy && !parser.isSet(u"from"_s))) {
        err << "kullanım: tavran [--database URL] db init | db copy --from KLASÖR [--append]" << Qt::endl;
        return 2;
    }
    QString error;
    const QString url = DatabaseSetting::url(&error);
    if (!error.isEmpty()) {
        err << "db: " << error << Qt::endl;
        return 1;
    }
    const auto location = DatabaseLocation::parse(url, &error);
    if (!location) {
        err << "db: " << error << Qt::endl;
        return 2;
    }
    if (!location->central) {
        err << "db: Database ayarı yok; tavran config set Database postgresql://KULLANICI@SUNUCU:PORT/VERITABANI"
            << Qt::endl;
        return 2;
    }
    CentralDatabase central(*location);
    if (!copy) {
        if (!central.initSchema()) {
            err << "db init: " << central.lastError() << Qt::endl;
            return 1;
        }
        out << "Merkez veritabanı hazır: " << location->display() << Qt::endl;
        return 0;
    }
    const CentralCopy::Result result =
        CentralCopy::copy(central, parser.value(u"from"_s), parser.isSet(u"append"_s));
    if (!result.ok()) {
        err << "db copy: " << result.failure << Qt::endl;
        return 1;
    }
    out << "Aktarıldı: " << result.customers << " cari, " << result.products << " ürün, "
        << result.movements << " stok hareketi" << Qt::endl;
    return 0;
}

} // namespace DatabaseCommand
