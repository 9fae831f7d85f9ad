#include "office/TableCommand.h"

#include "data/StationDatabase.h"
#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "office/TableExport.h"
#include "office/TableImport.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace TableCommand {
namespace {

QString usageOf(const QString &command, const QString &action)
{
    if (action == u"export"_s)
        return u"tavran %1 export [DOSYA]"_s.arg(command);
    return u"tavran %1 import DOSYA [--dry-run] [--encoding utf-8|windows-1254]"_s.arg(command);
}

void report(QTextStream &err, const QString &file, const QList<CsvReader::Problem> &problems,
            const QString &kind)
{
    for (const CsvReader::Problem &p : problems)
        err << file << ':' << p.line << ": " << kind << p.reason << '\n';
}

int import(const QStringList &arguments, const QString &folder, const OfficeTable &table,
           QTextStream &out, QTextStream &err)
{
    const QString command = arguments.mid(0, 2).join(u' ');
    const QString usage = usageOf(arguments[0], u"import"_s);
    QCommandLineParser parser;
    parser.addPositionalArgument(u"dosya"_s, u"CSV dosyası; başlık satırı sütunları adlandırır"_s);
    parser.addOption({u"dry-run"_s, u"dosyayı denetler ve sayar, hiçbir şey yazmaz"_s});
    parser.addOption({u"encoding"_s, u"utf-8 (varsayılan) ya da windows-1254"_s, u"ad"_s, u"utf-8"_s});
    const auto parsed = OfficeArguments::parse(
        parser, arguments, 2, usage,
        u"Dosyanın kayıtlarını %1 tablosuna ekler; %2 değeri tabloda zaten olan kayıt "
        u"güncellenir. Tek bir hatalı kayıt varsa hiçbir şey alınmaz."_s.arg(table.table, table.key)
            + (table.isProducts() ? u" GTIN (14 ya da 13 hane) ve Dara (kg, ondalık noktalı: 0.250) "
                                    u"sütunları da okunur."_s
                                  : QString()),
        out, err);
    if (parsed != OfficeArguments::Parsed::Run)
        return parsed == OfficeArguments::Parsed::Help ? OfficeArguments::Done : OfficeArguments::BadArguments;
    if (parser.positionalArguments().size() != 1)
        return OfficeArguments::bad(err, command, u"bir dosya adı gerekli"_s, usage);
    const QString encodingName = parser.value(u"encoding"_s).toLower();
    TableImport::Encoding encoding;
    if (encodingName == u"utf-8"_s || encodingName == u"utf8"_s)
        encoding = TableImport::Encoding::Utf8;
    else if (encodingName == u"windows-1254"_s || encodingName == u"cp1254"_s)
        encoding = TableImport::Encoding::Windows1254;
    else
        return OfficeArguments::bad(err, command, u"bilinmeyen kodlama: "_s + encodingName, usage);

    const QString path = parser.positionalArguments().first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << command << ": " << path << " okunamadı: " << file.errorString() << Qt::endl;
        return OfficeArguments::Failed;
    }
    const QByteArray bytes = file.readAll();
    auto server = OfficeArguments::openServer(table.file, command, err);
    if (server && !*server)
        return OfficeArguments::Failed;
    std::unique_ptr<StationDatabase> database = server ? std::move(*server) : nullptr;
    if (!database) {
        // The first import may be what sets up a new station in its folder.
        database = std::make_unique<StationDatabase>(
            QDir(folder).filePath(Schema::fileName(table.file)), table.file);
    }
    if (!database->isOpen()) {
        err << command << ": " << database->openError() << Qt::endl;
        return OfficeArguments::Failed;
    }
    const bool dryRun = parser.isSet(u"dry-run"_s);
    const TableImport::Result result =
        TableImport::run(database->database(), table, bytes, encoding, dryRun);
    report(err, path, result.errors, {});
    report(err, path, result.warnings, u"uyarı: "_s);
    if (!result.errors.isEmpty()) {
        err << command << ": " << result.errors.size()
            << " hatalı satır; hiçbir kayıt alınmadı" << Qt::endl;
        return OfficeArguments::Failed;
    }
    if (!result.failure.isEmpty()) {
        err << command << ": veritabanı yazılamadı, hiçbir kayıt alınmadı: " << result.failure
            << Qt::endl;
        return OfficeArguments::Failed;
    }
    if (dryRun)
        out << "Deneme: " << result.added << " kayıt eklenecek, " << result.updated
            << " kayıt güncellenecek; hiçbir şey yazılmadı" << Qt::endl;
    else
        out << table.table << ": " << result.added << " kayıt eklendi, " << result.updated
            << " kayıt güncellendi" << Qt::endl;
    return OfficeArguments::Done;
}

int exportTable(const QStringList &arguments, const QString &folder, const OfficeTable &table,
                QTextStream &out, QTextStream &err)
{
    const QString command = arguments.mid(0, 2).join(u' ');
    const QString usage = usageOf(arguments[0], u"export"_s);
    QCommandLineParser parser;
    parser.addPositionalArgument(u"dosya"_s, u"yazılacak dosya; verilmezse standart çıktı"_s);
    const auto parsed = OfficeArguments::parse(
        parser, arguments, 2, usage,
        u"%1 tablosunu %2 sütununun Türkçe sırasıyla, içe aktarmanın okuduğu biçimde CSV olarak yazar."_s
            .arg(table.table, table.name),
        out, err);
    if (parsed != OfficeArguments::Parsed::Run)
        return parsed == OfficeArguments::Parsed::Help ? OfficeArguments::Done : OfficeArguments::BadArguments;
    if (parser.positionalArguments().size() > 1)
        return OfficeArguments::bad(err, command, u"en çok bir dosya adı"_s, usage);

    const auto database = OfficeArguments::openExisting(folder, table.file, command, err);
    if (!database)
        return OfficeArguments::Failed;
    const auto csv = TableExport::run(database->database(), table);
    if (!csv) {
        err << command << ": " << table.table << " okunamadı" << Qt::endl;
        return OfficeArguments::Failed;
    }
    if (parser.positionalArguments().isEmpty()) {
        out << QString::fromUtf8(*csv);
        out.flush();
        return out.status() == QTextStream::Ok ? OfficeArguments::Done : OfficeArguments::Failed;
    }
    QString reason;
    if (!OutputFile::write(parser.positionalArguments().first(), *csv, &reason)) {
        err << command << ": " << reason << Qt::endl;
        return OfficeArguments::Failed;
    }
    return OfficeArguments::Done;
}

} // namespace

bool handles(const QString &command)
{
    return OfficeTable::named(command).has_value();
}

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    const auto table = OfficeTable::named(arguments.value(0));
    const QString action = arguments.value(1);
    if (!table)
        return OfficeArguments::bad(err, arguments.value(0), u"bilinmeyen komut"_s, u"tavran --help"_s);
    if (action == u"import"_s)
        return import(arguments, folder, *table, out, err);
    if (action == u"export"_s)
        return exportTable(arguments, folder, *table, out, err);
    const QString usage = usageOf(arguments[0], u"import"_s) + u" | "_s + usageOf(arguments[0], u"export"_s);
    if (action == u"--help"_s || action == u"-h"_s) {
        out << "kullanım: " << usage << Qt::endl;
        return OfficeArguments::Done;
    }
    return OfficeArguments::bad(err, arguments[0], u"import ya da export gerekli"_s, usage);
}

} // namespace TableCommand
