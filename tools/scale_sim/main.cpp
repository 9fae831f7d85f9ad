// tavran-scale-sim: a stand-in scale for the station. It listens on TCP
// (default 127.0.0.1:5555) or writes to a serial device and sends weight
// texts such as "+0012.345 kg" with CR LF several times a second.
#include "ScaleSender.h"
#include "WeightSource.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "tavran-scale-sim: " << message << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"tavran-scale-sim"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRAN_VERSION));

    // Qt's own words in the help (headings, parse errors) in Turkish too, when installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Turkish, QLocale::Turkey), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Bir tartı gibi davranır: \"+0012.345 kg\" gibi okumaları CR LF ile her TCP "
        "istemcisine ya da bir seri aygıta saniyede birkaç kez gönderir."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Bu yardımı gösterir."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Sürümü gösterir."_s);
    const QCommandLineOption host(u"host"_s, u"Dinlenecek adres (varsayılan 127.0.0.1)."_s,
                                  u"adres"_s, u"127.0.0.1"_s);
    const QCommandLineOption port(u"port"_s,
                                  u"Dinlenecek TCP portu (varsayılan 5555; 0 boş bir port seçer ve yazar)."_s,
                                  u"port"_s, u"5555"_s);
    const QCommandLineOption serial(u"serial"_s,
                                    u"Dinlemek yerine bu seri aygıta ya da pty'ye yazar."_s,
                                    u"aygıt"_s);
    const QCommandLineOption baud(u"baud"_s, u"Seri hız (varsayılan 9600)."_s, u"hız"_s,
                                  u"9600"_s);
    const QCommandLineOption weights(u"weights"_s,
                                     u"Sırayla gönderilecek kg ağırlıkları, virgülle ayrılmış "
                                     "(varsayılan 12.345)."_s,
                                     u"liste"_s, u"12.345"_s);
    const QCommandLineOption ramp(u"ramp"_s,
                                  u"Sıfırdan bu kg ağırlığa çıkar ve orada kalır."_s,
                                  u"kg"_s);
    const QCommandLineOption rampSteps(u"ramp-steps"_s,
                                       u"Çıkışın oturması için okuma sayısı (varsayılan 10)."_s,
                                       u"n"_s, u"10"_s);
    const QCommandLineOption script(u"script"_s,
                                    u"Satır başına bir okuma, sırayla gönderilir: kg olarak bir "
                                    "ağırlık ya da METNİ olduğu gibi göndermek için raw:METİN; "
                                    "# açıklama başlatır."_s,
                                    u"dosya"_s);
    const QCommandLineOption interval(u"interval"_s,
                                      u"Okumalar arası milisaniye (varsayılan 200)."_s, u"ms"_s,
                                      u"200"_s);
    const QCommandLineOption split(u"split"_s,
                                   u"Her okumayı iki parça gönderir, ilki bu kadar "
                                   "bayt."_s,
                                   u"bayt"_s, u"0"_s);
    const QCommandLineOption splitDelay(u"split-delay"_s,
                                        u"İki parça arası milisaniye (varsayılan 30)."_s,
                                        u"ms"_s, u"30"_s);
    const QCommandLineOption noLineEnd(u"no-line-end"_s, u"Okumaları CR LF olmadan gönderir."_s);
    const QCommandLineOption format(u"format"_s,
                                    u"Okuma metni: classic (\"+0012.345 kg\"), st-gs "
                                    "(\"ST,GS,+0012.345kg\") ya da sics (\"S S    12.345 kg\")."_s,
                                    u"ad"_s, u"classic"_s);
    const QCommandLineOption settle(u"settle"_s,
                                    u"Her ağırlığı oturmadan önce bu kadar milisaniye hareketli "
                                    "gönderir (US / S D ya da oynayan bir sayı)."_s,
                                    u"ms"_s, u"0"_s);
    const QCommandLineOption stableFor(u"stable-for"_s,
                                       u"--settle ile: oturmuş bir ağırlığın sonrakinden önce "
                                       "kaldığı milisaniye (varsayılan 2000)."_s,
                                       u"ms"_s, u"2000"_s);
    const QCommandLineOption capacity(u"capacity"_s,
                                      u"Bu kadar kg'dan ağır ağırlıklar aralık dışı olarak "
                                      "gönderilir (OL / S +)."_s,
                                      u"kg"_s, u"0"_s);
    const QCommandLineOption poll(u"poll"_s,
                                  u"İstenmeden bir şey göndermez: her istek satırını (SI gibi) "
                                  "bir okumayla yanıtlar."_s);
    const QCommandLineOption count(u"count"_s,
                                   u"Bu kadar okumadan sonra çıkar (varsayılan 0: hiç)."_s,
                                   u"n"_s, u"0"_s);
    parser.addOptions({help, version, host, port, serial, baud, weights, ramp, rampSteps, script, interval, split,
                       splitDelay, noLineEnd, format, settle, stableFor, capacity, poll, count});
    parser.process(app);
    if (parser.isSet(help)) {
        // The parser names the program by the path it was started with.
        QString text = parser.helpText();
        const QString path = QCoreApplication::arguments().constFirst();
        const qsizetype at = text.indexOf(path);
        if (at >= 0 && at < text.indexOf(u'\n'))
            text.replace(at, path.size(), QCoreApplication::applicationName());
        QTextStream(stdout) << text;
        return 0;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << QCoreApplication::applicationName() << ' '
                            << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }

    WeightSource source;
    if (parser.isSet(script)) {
        QString error;
        source = WeightSource::fromScript(parser.value(script), &error);
        if (!error.isEmpty())
            return fail(error);
    } else if (parser.isSet(ramp)) {
        bool ok = false;
        const double target = parser.value(ramp).toDouble(&ok);
        if (!ok)
            return fail(u"--ramp kg olarak bir ağırlık ister"_s);
        source = WeightSource::ramp(target, parser.value(rampSteps).toInt());
    } else {
        QList<double> list;
        const QStringList items = parser.value(weights).split(u',', Qt::SkipEmptyParts);
        for (const QString &item : items) {
            bool ok = false;
            list.append(item.trimmed().toDouble(&ok));
            if (!ok)
                return fail(u"ağırlık değil: "_s + item);
        }
        source = WeightSource::fromList(list);
    }
    if (source.isEmpty())
        return fail(u"gönderilecek bir şey yok"_s);

    ScaleSender::Options options;
    options.interval = std::chrono::milliseconds(std::max(1, parser.value(interval).toInt()));
    options.splitAt = parser.value(split).toInt();
    options.splitDelay = std::chrono::milliseconds(std::max(0, parser.value(splitDelay).toInt()));
    options.lineEnd = !parser.isSet(noLineEnd);
    options.count = parser.value(count).toInt();
    const QString formatName = parser.value(format);
    if (formatName == u"st-gs"_s)
        options.format = WeightSource::Format::StGs;
    else if (formatName == u"sics"_s)
        options.format = WeightSource::Format::Sics;
    else if (formatName != u"classic"_s)
        return fail(u"--format classic, st-gs ya da sics ister"_s);
    options.settle = std::chrono::milliseconds(std::max(0, parser.value(settle).toInt()));
    options.stableFor = std::chrono::milliseconds(std::max(1, parser.value(stableFor).toInt()));
    options.capacity = parser.value(capacity).toDouble();
    options.poll = parser.isSet(poll);

    ScaleSender sender(std::move(source), options);
    QObject::connect(&sender, &ScaleSender::finished, &app, &QCoreApplication::quit);
    QString error;
    QTextStream out(stdout);
    if (parser.isSet(serial)) {
        if (!sender.openSerial(parser.value(serial), parser.value(baud).toInt(), &error))
            return fail(error);
        out << "writing to " << parser.value(serial) << Qt::endl;
    } else {
        const int portNumber = parser.value(port).toInt();
        if (portNumber < 0 || portNumber > 65535)
            return fail(u"--port 0..65535 arasında olmalı"_s);
        if (!sender.listen(parser.value(host), quint16(portNumber), &error))
            return fail(error);
        out << "listening on " << parser.value(host) << ':' << sender.serverPort() << Qt::endl;
    }
    sender.start();
    return app.exec();
}
