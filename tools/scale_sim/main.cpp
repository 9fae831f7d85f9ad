// tavran-scale-sim: a stand-in scale for the station. It listens on TCP
// (default 127.0.0.1:5555) or writes to a serial device and sends weight
// texts such as "+0012.345 kg" with CR LF several times a second.
#include "ScaleSender.h"
#include "WeightSource.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
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

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Acts as a weighing scale: sends readings like \"+0012.345 kg\" followed by CR LF "
        "to every TCP client, or to a serial device, several times a second."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption host(u"host"_s, u"Address to listen on (default 127.0.0.1)."_s,
                                  u"address"_s, u"127.0.0.1"_s);
    const QCommandLineOption port(u"port"_s, u"TCP port to listen on (default 5555; 0 picks a free one and prints it)."_s,
                                  u"port"_s, u"5555"_s);
    const QCommandLineOption serial(u"serial"_s,
                                    u"Write to this serial device or pty instead of listening."_s,
                                    u"device"_s);
    const QCommandLineOption baud(u"baud"_s, u"Serial speed (default 9600)."_s, u"rate"_s,
                                  u"9600"_s);
    const QCommandLineOption weights(u"weights"_s,
                                     u"Weights in kg sent in turn, comma separated "
                                     "(default 12.345)."_s,
                                     u"list"_s, u"12.345"_s);
    const QCommandLineOption ramp(u"ramp"_s,
                                  u"Rise from zero to this weight in kg and stay there."_s,
                                  u"kg"_s);
    const QCommandLineOption rampSteps(u"ramp-steps"_s,
                                       u"Readings the ramp takes to settle (default 10)."_s,
                                       u"n"_s, u"10"_s);
    const QCommandLineOption script(u"script"_s,
                                    u"File with one reading a line, sent in turn: a weight in "
                                    "kg, or raw:TEXT to send TEXT as it is; # starts a comment."_s,
                                    u"file"_s);
    const QCommandLineOption interval(u"interval"_s,
                                      u"Milliseconds between readings (default 200)."_s, u"ms"_s,
                                      u"200"_s);
    const QCommandLineOption split(u"split"_s,
                                   u"Send each reading in two parts, the first of this many "
                                   "bytes."_s,
                                   u"bytes"_s, u"0"_s);
    const QCommandLineOption splitDelay(u"split-delay"_s,
                                        u"Milliseconds between the two parts (default 30)."_s,
                                        u"ms"_s, u"30"_s);
    const QCommandLineOption noLineEnd(u"no-line-end"_s, u"Send readings without CR LF."_s);
    const QCommandLineOption format(u"format"_s,
                                    u"Reading text: classic (\"+0012.345 kg\"), st-gs "
                                    "(\"ST,GS,+0012.345kg\") or sics (\"S S    12.345 kg\")."_s,
                                    u"name"_s, u"classic"_s);
    const QCommandLineOption settle(u"settle"_s,
                                    u"Send each weight moving for this many milliseconds before "
                                    "it settles (US / S D, or a swinging number)."_s,
                                    u"ms"_s, u"0"_s);
    const QCommandLineOption stableFor(u"stable-for"_s,
                                       u"With --settle: milliseconds a settled weight stays "
                                       "before the next one (default 2000)."_s,
                                       u"ms"_s, u"2000"_s);
    const QCommandLineOption capacity(u"capacity"_s,
                                      u"Weights above this many kg are sent as out of range "
                                      "(OL / S +)."_s,
                                      u"kg"_s, u"0"_s);
    const QCommandLineOption poll(u"poll"_s,
                                  u"Send nothing unasked: answer each request line (such as "
                                  "SI) with one reading."_s);
    const QCommandLineOption count(u"count"_s,
                                   u"Quit after this many readings (default 0: never)."_s,
                                   u"n"_s, u"0"_s);
    parser.addOptions({host, port, serial, baud, weights, ramp, rampSteps, script, interval, split,
                       splitDelay, noLineEnd, format, settle, stableFor, capacity, poll, count});
    parser.process(app);

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
            return fail(u"--ramp wants a weight in kg"_s);
        source = WeightSource::ramp(target, parser.value(rampSteps).toInt());
    } else {
        QList<double> list;
        const QStringList items = parser.value(weights).split(u',', Qt::SkipEmptyParts);
        for (const QString &item : items) {
            bool ok = false;
            list.append(item.trimmed().toDouble(&ok));
            if (!ok)
                return fail(u"not a weight: "_s + item);
        }
        source = WeightSource::fromList(list);
    }
    if (source.isEmpty())
        return fail(u"nothing to send"_s);

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
        return fail(u"--format wants classic, st-gs or sics"_s);
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
            return fail(u"--port wants 0..65535"_s);
        if (!sender.listen(parser.value(host), quint16(portNumber), &error))
            return fail(error);
        out << "listening on " << parser.value(host) << ':' << sender.serverPort() << Qt::endl;
    }
    sender.start();
    return app.exec();
}
