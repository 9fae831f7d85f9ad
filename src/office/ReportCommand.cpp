#include "office/ReportCommand.h"

#include "journal/Journal.h"
#include "journal/JournalCommand.h"
#include "office/OfficeArguments.h"
#include "office/OutputFile.h"
#include "office/PrintOutput.h"
#include "office/TextTable.h"
#include "reports/ShipmentSummary.h"
#include "reports/ShipmentTotals.h"
#include "station/NumberText.h"
#include "station/StationTextFiles.h"

using namespace Qt::StringLiterals;

namespace ReportCommand {
namespace {

const QString Usage = u"tavran report --day YYYY-AA-GG | --month YYYY-AA [--purchase] "
                      u"[--csv DOSYA | --pdf DOSYA | --printer AD]"_s;
const QString Command = u"report"_s;
// The summary's PDF page: A4 in twips.
constexpr QSize A4Twips(11906, 16838);

} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({u"day"_s, u"bir günün toplamları"_s, u"YYYY-AA-GG"_s});
    parser.addOption({u"month"_s, u"bir ayın toplamları"_s, u"YYYY-AA"_s});
    parser.addOption({u"purchase"_s, u"satışlar yerine alışlar"_s});
    parser.addOption({u"csv"_s, u"Ürün,Kilo satırlarını bu dosyaya yazar"_s, u"dosya"_s});
    parser.addOption({u"pdf"_s, u"basılı özeti bu PDF dosyasına yazar"_s, u"dosya"_s});
    parser.addOption({u"printer"_s, u"özeti bu yazıcı kuyruğuna basar"_s, u"ad"_s});
    if (const auto stop = OfficeArguments::parseOptionsOnly(
            parser, arguments, Command, Usage,
            u"Rapor ekranının bir gün ya da bir ay için ürün başına toplamları (hareketleri "
            u"sıfıra denk gelen ürünler yazılmaz). --csv, --pdf ya da --printer olmadan "
            u"genel toplamla birlikte burada gösterilir."_s,
            out, err))
        return *stop;
    if (parser.isSet(u"day"_s) == parser.isSet(u"month"_s))
        return OfficeArguments::bad(err, Command, u"--day ya da --month, biri gerekli"_s, Usage);
    int outputs = 0;
    for (const QString &option : {u"csv"_s, u"pdf"_s, u"printer"_s})
        outputs += parser.isSet(option) ? 1 : 0;
    if (outputs > 1)
        return OfficeArguments::bad(err, Command, u"--csv, --pdf ve --printer'dan yalnız biri"_s, Usage);

    const bool daily = parser.isSet(u"day"_s);
    const QString dateText = parser.value(daily ? u"day"_s : u"month"_s);
    const auto date = daily ? OfficeArguments::day(dateText) : OfficeArguments::month(dateText);
    if (!date) {
        return OfficeArguments::bad(err, Command,
                                (daily ? u"geçersiz gün: "_s : u"geçersiz ay: "_s) + dateText, Usage);
    }
    const ReportPeriod period(daily ? ReportPeriod::Kind::Day : ReportPeriod::Kind::Month, *date);
    const int alsatMode = parser.isSet(u"purchase"_s) ? 1 : 0;

    const auto stok = OfficeArguments::openExisting(folder, Schema::File::Stok, Command, err);
    if (!stok)
        return OfficeArguments::Failed;
    const auto totals = ShipmentTotals::sum(stok->database(), alsatMode, period);
    if (!totals) {
        err << Command << ": " << ShipmentTotals::UnreadableCaption << Qt::endl;
        return OfficeArguments::Failed;
    }
    const QString totalCaption = ShipmentTotals::totalCaption(ShipmentTotals::grandTotal(*totals));

    if (parser.isSet(u"csv"_s)) {
        QString reason;
        if (!OutputFile::write(parser.value(u"csv"_s), ShipmentTotals::csv(*totals), &reason)) {
            err << Command << ": " << reason << Qt::endl;
            return OfficeArguments::Failed;
        }
        return OfficeArguments::Done;
    }

    const ShipmentSummary summary(period, StationTextFiles::readHeaderLines(folder)[0],
                                  totalCaption, *totals);
    const auto print = [&summary](PrintJob &job) { return summary.print(job); };
    if (parser.isSet(u"pdf"_s) || parser.isSet(u"printer"_s)) {
        PrintOutput::Outcome outcome;
        const int code = parser.isSet(u"pdf"_s)
                             ? PrintOutput::toPdf(parser.value(u"pdf"_s), ShipmentSummary::DocumentName,
                                                  A4Twips, print, Command, err, &outcome)
                             : PrintOutput::toPrinter(parser.value(u"printer"_s), {},
                                                      ShipmentSummary::DocumentName, print, Command, err,
                                                      &outcome);
        Journal journal(folder);
        journal.setStaff(JournalCommand::commandUser());
        journal.report(summary.title() + u" - "_s + summary.periodText()
                           + (alsatMode == 0 ? u" (SATIŞ)"_s : u" (ALIŞ)"_s),
                       outcome.printer, outcome.result);
        return code;
    }

    out << summary.title() << " - " << summary.periodText() << " ("
        << (alsatMode == 0 ? u"SATIŞ"_s : u"ALIŞ"_s) << ")\n\n";
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Right});
    table.addRow({u"Ürün"_s, u"Kilo"_s});
    for (const ProductTotal &row : *totals)
        table.addRow({row.product, NumberText::grouped3(row.kilo)});
    table.addFooter({u"Toplam"_s, NumberText::grouped3(ShipmentTotals::grandTotal(*totals))});
    out << table.text();
    out.flush();
    return OfficeArguments::Done;
}

} // namespace ReportCommand
