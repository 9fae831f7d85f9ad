#include "office/MovementsCommand.h"

#include "station/CsvWriter.h"
#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "office/StockMovements.h"
#include "office/TextTable.h"
#include "station/NumberText.h"

using namespace Qt::StringLiterals;

namespace MovementsCommand {
namespace {
const QString Usage =
    u"tavran movements --from YYYY-AA-GG --to YYYY-AA-GG [--sale | --purchase] [--csv DOSYA]"_s;
} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    const QString command = u"movements"_s;
    QCommandLineParser parser;
    parser.addOption({u"from"_s, u"ilk gün"_s, u"tarih"_s});
    parser.addOption({u"to"_s, u"son gün"_s, u"tarih"_s});
    parser.addOption({u"sale"_s, u"yalnız satışlar"_s});
    parser.addOption({u"purchase"_s, u"yalnız alışlar"_s});
    parser.addOption({u"csv"_s, u"bu dosyaya CSV (Tarih,Ürün,Kilo,Yön) yazar"_s, u"dosya"_s});
    if (const auto stop = OfficeArguments::parseOptionsOnly(
            parser, arguments, command, Usage,
            u"--from ile --to arasındaki günlerin işlenmiş stok hareketlerini eskiden yeniye listeler."_s,
            out, err))
        return *stop;
    const auto range = OfficeArguments::dayRange(parser, command, Usage, err);
    if (!range)
        return OfficeArguments::BadArguments;
    if (parser.isSet(u"sale"_s) && parser.isSet(u"purchase"_s))
        return OfficeArguments::bad(err, command, u"--sale ya da --purchase, ikisi birden değil"_s, Usage);
    std::optional<int> alsat;
    if (parser.isSet(u"sale"_s))
        alsat = 0;
    else if (parser.isSet(u"purchase"_s))
        alsat = 1;

    const auto stok = OfficeArguments::openExisting(folder, Schema::File::Stok, command, err);
    if (!stok)
        return OfficeArguments::Failed;
    const auto movements = StockMovements::read(stok->database(), range->from, range->to, alsat);
    if (!movements) {
        err << command << ": stok hareketleri okunamadı" << Qt::endl;
        return OfficeArguments::Failed;
    }

    if (parser.isSet(u"csv"_s)) {
        QByteArray csv = CsvWriter::record({u"Tarih"_s, u"Ürün"_s, u"Kilo"_s, u"Yön"_s});
        for (const auto &m : *movements) {
            csv += CsvWriter::record({m.tarih, m.product, CsvWriter::kilo(m.kilo),
                                      StockMovements::directionText(m.alsat)});
        }
        QString reason;
        if (!OutputFile::write(parser.value(u"csv"_s), csv, &reason)) {
            err << command << ": " << reason << Qt::endl;
            return OfficeArguments::Failed;
        }
        return OfficeArguments::Done;
    }
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Right, Align::Left});
    table.addRow({u"Tarih"_s, u"Ürün"_s, u"Kilo"_s, u"Yön"_s});
    for (const auto &m : *movements) {
        table.addRow({QDate::fromString(m.tarih, Qt::ISODate).toString(u"dd.MM.yyyy"_s), m.product,
                      NumberText::grouped3(m.kilo), StockMovements::directionText(m.alsat)});
    }
    out << table.text();
    out.flush();
    return OfficeArguments::Done;
}

} // namespace MovementsCommand
