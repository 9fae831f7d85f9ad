#include "office/TraceCommand.h"

#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "office/PackageTrace.h"
#include "office/StockMovements.h"
#include "office/TextTable.h"
#include "station/CsvWriter.h"
#include "station/NumberText.h"

using namespace Qt::StringLiterals;

namespace TraceCommand {
namespace {

const QString Usage = u"tavran trace --lot PARTİ | --package BARKOD | --customer AD --from YYYY-AA-GG "
                      u"--to YYYY-AA-GG [--csv DOSYA]"_s;
const QString Command = u"trace"_s;
const QString Unbooked = u"fişe girmedi"_s;

QString shownTime(const QString &iso)
{
    const QDateTime time = QDateTime::fromString(iso, Qt::ISODate);
    return time.isValid() ? time.toString(u"dd.MM.yyyy HH:mm:ss"_s) : iso;
}

QString shownDate(const QString &iso)
{
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    return date.isValid() ? date.toString(u"dd.MM.yyyy"_s) : iso;
}

int writeCsv(const QString &path, const QByteArray &csv, QTextStream &err)
{
    QString reason;
    if (!OutputFile::write(path, csv, &reason)) {
        err << Command << ": " << reason << Qt::endl;
        return OfficeArguments::Failed;
    }
    return OfficeArguments::Done;
}

int showPackages(const QList<PackageTrace::Package> &packages, const QString &heading,
                 const QString &csvPath, QTextStream &out, QTextStream &err)
{
    if (!csvPath.isEmpty()) {
        QByteArray csv = CsvWriter::record({u"Parti"_s, u"Zaman"_s, u"İstasyon"_s, u"Ürün"_s, u"Kilo"_s,
                                            u"Hayvan"_s, u"Etiket"_s, u"Cari"_s, u"Tarih"_s});
        for (const auto &p : packages) {
            csv += CsvWriter::record({p.lot, p.zaman, p.station, p.product, CsvWriter::kilo(p.kilo),
                                      p.animal, p.label, p.booked() ? p.customer : QString(), p.tarih});
        }
        return writeCsv(csvPath, csv, err);
    }
    if (packages.isEmpty()) {
        out << heading << ": paket bulunamadı" << Qt::endl;
        return OfficeArguments::Done;
    }
    double total = 0;
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Left, Align::Right, Align::Left, Align::Left,
                     Align::Left, Align::Left, Align::Left});
    table.addRow({u"Zaman"_s, u"İstasyon"_s, u"Ürün"_s, u"Kilo"_s, u"Parti"_s, u"Hayvan"_s, u"Etiket"_s,
                  u"Cari"_s, u"Fiş Tarihi"_s});
    for (const auto &p : packages) {
        table.addRow({shownTime(p.zaman), p.station, p.product, NumberText::grouped3(p.kilo), p.lot,
                      p.animal, p.label, p.booked() ? p.customer : Unbooked, shownDate(p.tarih)});
        total += p.kilo;
    }
    table.addFooter({u"Toplam"_s, u"%1 paket"_s.arg(packages.size()), QString(),
                     NumberText::grouped3(total)});
    out << heading << "\n\n" << table.text();
    out.flush();
    return OfficeArguments::Done;
}

int showDeliveries(const QList<PackageTrace::Delivery> &rows, const QString &heading,
                   const QString &csvPath, QTextStream &out, QTextStream &err)
{
    if (!csvPath.isEmpty()) {
        QByteArray csv =
            CsvWriter::record({u"Tarih"_s, u"Yön"_s, u"Ürün"_s, u"Parti"_s, u"Paket"_s, u"Kilo"_s});
        for (const auto &row : rows) {
            csv += CsvWriter::record({row.tarih, StockMovements::directionText(row.alsat), row.product,
                                      row.lot, QString::number(row.packages), CsvWriter::kilo(row.kilo)});
        }
        return writeCsv(csvPath, csv, err);
    }
    if (rows.isEmpty()) {
        out << heading << ": paket bulunamadı" << Qt::endl;
        return OfficeArguments::Done;
    }
    int packages = 0;
    double total = 0;
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Left, Align::Left, Align::Right, Align::Right});
    table.addRow({u"Tarih"_s, u"Yön"_s, u"Ürün"_s, u"Parti"_s, u"Paket"_s, u"Kilo"_s});
    for (const auto &row : rows) {
        table.addRow({shownDate(row.tarih), StockMovements::directionText(row.alsat), row.product, row.lot,
                      QString::number(row.packages), NumberText::grouped3(row.kilo)});
        packages += row.packages;
        total += row.kilo;
    }
    table.addFooter({u"Toplam"_s, QString(), QString(), QString(), QString::number(packages),
                     NumberText::grouped3(total)});
    out << heading << "\n\n" << table.text();
    out.flush();
    return OfficeArguments::Done;
}

} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({u"lot"_s, u"bu partinin bütün paketleri ve gittikleri cariler"_s, u"parti"_s});
    parser.addOption({u"package"_s, u"etiket barkodu ya da GS1 metniyle bir paket"_s, u"barkod"_s});
    parser.addOption({u"customer"_s, u"bu cariye giden partiler"_s, u"ad"_s});
    parser.addOption({u"from"_s, u"--customer ile ilk fiş günü"_s, u"tarih"_s});
    parser.addOption({u"to"_s, u"--customer ile son fiş günü"_s, u"tarih"_s});
    parser.addOption({u"csv"_s, u"tabloyu bu dosyaya CSV olarak yazar"_s, u"dosya"_s});
    if (const auto stop = OfficeArguments::parseOptionsOnly(
            parser, arguments, Command, Usage,
            u"Paket izlenebilirliği: bir partinin paketleri, fiş tarihleri ve carileri (fişe girmemiş "
            u"paketler de); bir etiketin paketi; bir carinin iki tarih arasında aldığı partiler."_s,
            out, err))
        return *stop;
    int modes = 0;
    for (const QString &option : {u"lot"_s, u"package"_s, u"customer"_s})
        modes += parser.isSet(option) ? 1 : 0;
    if (modes != 1)
        return OfficeArguments::bad(err, Command, u"--lot, --package ya da --customer, yalnız biri"_s, Usage);
    const bool byCustomer = parser.isSet(u"customer"_s);
    if (!byCustomer && (parser.isSet(u"from"_s) || parser.isSet(u"to"_s)))
        return OfficeArguments::bad(err, Command, u"--from ve --to yalnız --customer ile"_s, Usage);
    const QString csvPath = parser.value(u"csv"_s);
    if (parser.isSet(u"csv"_s) && csvPath.isEmpty())
        return OfficeArguments::bad(err, Command, u"--csv bir dosya adı ister"_s, Usage);

    QString error;
    if (byCustomer) {
        const QString name = parser.value(u"customer"_s).trimmed();
        if (name.isEmpty())
            return OfficeArguments::bad(err, Command, u"--customer boş"_s, Usage);
        const auto range = OfficeArguments::dayRange(parser, Command, Usage, err);
        if (!range)
            return OfficeArguments::BadArguments;
        const auto cari = OfficeArguments::openExisting(folder, Schema::File::Cari, Command, err);
        if (!cari)
            return OfficeArguments::Failed;
        const auto names = PackageTrace::customerNames(cari->database(), name, &error);
        if (!names) {
            err << Command << ": " << error << Qt::endl;
            return OfficeArguments::Failed;
        }
        const auto stok = OfficeArguments::openExisting(folder, Schema::File::Stok, Command, err);
        if (!stok)
            return OfficeArguments::Failed;
        const auto rows = PackageTrace::delivered(stok->database(), *names, range->from, range->to, &error);
        if (!rows) {
            err << Command << ": " << error << Qt::endl;
            return OfficeArguments::Failed;
        }
        const QString heading = u"%1, %2 - %3"_s.arg(name, range->from.toString(u"dd.MM.yyyy"_s),
                                                      range->to.toString(u"dd.MM.yyyy"_s));
        return showDeliveries(*rows, heading, csvPath, out, err);
    }

    const bool byLot = parser.isSet(u"lot"_s);
    // A scanner typing into a shell ends its text with a line end; no lot or
    // barcode holds blanks at its ends.
    const QString key = parser.value(byLot ? u"lot"_s : u"package"_s).trimmed();
    if (key.isEmpty())
        return OfficeArguments::bad(err, Command, byLot ? u"--lot boş"_s : u"--package boş"_s, Usage);
    std::optional<PackageCode> code;
    if (!byLot) {
        code = PackageCode::parse(key, &error);
        if (!error.isEmpty())
            return OfficeArguments::bad(err, Command, error, Usage);
    }
    const auto stok = OfficeArguments::openExisting(folder, Schema::File::Stok, Command, err);
    if (!stok)
        return OfficeArguments::Failed;
    const auto packages = byLot ? PackageTrace::ofLot(stok->database(), key, &error)
                                : PackageTrace::ofLabel(stok->database(), key, code, &error);
    if (!packages) {
        err << Command << ": " << error << Qt::endl;
        return OfficeArguments::Failed;
    }
    // A GS separator would not show on a terminal.
    const QString shownKey = QString(key).replace(QChar(0x1d), u"<GS>"_s);
    return showPackages(*packages, (byLot ? u"Parti "_s : u"Paket "_s) + shownKey, csvPath, out, err);
}

} // namespace TraceCommand
