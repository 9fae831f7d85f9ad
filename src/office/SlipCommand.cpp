#include "office/SlipCommand.h"

#include "data/DataControl.h"
#include "data/RecordSource.h"
#include "journal/Journal.h"
#include "journal/JournalCommand.h"
#include "labels/ChoosePrinter.h"
#include "office/OfficeArguments.h"
#include "office/PrintOutput.h"
#include "printing/PrintJob.h"
#include "station/StationTextFiles.h"
#include "weighing/OrderSlip.h"
#include "weighing/SlipSums.h"

using namespace Qt::StringLiterals;

namespace SlipCommand {
namespace {

const QString Usage =
    u"tavran slip [--pdf DOSYA | --printer AD] [--customer AD] [--staff AD]"_s;
const QString Command = u"slip"_s;
const QString DocumentName = u"Fiş"_s;
// A roll of 80 mm; the slip lengthens it as its lines need.
constexpr QSize RollTwips(4535, 8000);

} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({u"pdf"_s, u"fişi bu PDF dosyasına yazar"_s, u"dosya"_s});
    parser.addOption({u"printer"_s, u"bu yazıcı kuyruğuna basar (yoksa fişler için hatırlanan yazıcıya)"_s,
                      u"name"_s});
    parser.addOption({u"customer"_s, u"fişin cari satırı"_s, u"ad"_s});
    parser.addOption({u"staff"_s, u"fişin personel satırı"_s, u"ad"_s});
    if (const auto stop = OfficeArguments::parseOptionsOnly(
            parser, arguments, Command, Usage,
            u"Tartıdaki siparişin fişini yeniden basar (kâğıt sıkışmasından sonra). Hiçbir şey "
            u"işlenmez, veritabanlarında hiçbir şey değişmez."_s,
            out, err))
        return *stop;
    if (parser.isSet(u"pdf"_s) && parser.isSet(u"printer"_s))
        return OfficeArguments::bad(err, Command, u"--pdf ya da --printer, ikisi birden değil"_s, Usage);

    std::shared_ptr<StationDatabase> tavran =
        OfficeArguments::openExisting(folder, Schema::File::Tavran, Command, err);
    if (!tavran)
        return OfficeArguments::Failed;
    DataControl data3(u"Data3"_s);
    data3.bind(tavran, RecordSources::orderRows());
    if (!RefreshDataControl(data3) || !data3.recordset()) {
        err << Command << ": sipariş satırları (Tart) okunamadı" << Qt::endl;
        return OfficeArguments::Failed;
    }

    OrderSlip slip;
    slip.headerLines = StationTextFiles::readHeaderLines(folder);
    slip.customer = parser.value(u"customer"_s);
    slip.staff = parser.value(u"staff"_s);
    slip.rows = SlipSums::readRows(*data3.recordset());
    // The preview would store these in StokTmp; the reprint leaves it alone.
    slip.sums = SlipSums::sumRows(slip.rows);
    slip.printedAt = QDateTime::currentDateTime();
    if (slip.rows.isEmpty()) {
        err << Command << ": Tart'ta sipariş satırı yok" << Qt::endl;
        return OfficeArguments::Failed;
    }

    const auto print = [&slip](PrintJob &job) {
        slip.draw(job, OrderSlip::Target::Page);
        return job.endDoc();
    };
    PrintOutput::Outcome outcome;
    const int code =
        parser.isSet(u"pdf"_s)
            ? PrintOutput::toPdf(parser.value(u"pdf"_s), DocumentName, RollTwips, print, Command, err, &outcome)
            : PrintOutput::toPrinter(parser.value(u"printer"_s), SlipPrinterKey, DocumentName, print,
                                     Command, err, &outcome);
    // A reprint is a slip like any other: the journal holds it, and a failed one too.
    Journal journal(folder);
    journal.setStaff(JournalCommand::commandUser());
    journal.slip(slip.customer, int(slip.rows.size()), slip.total(), outcome.printer, outcome.result);
    if (code == OfficeArguments::Done)
        out << "Fiş yeniden yazdırıldı: " << slip.rows.size() << " satır, "
            << OrderSlip::weightText(slip.total()) << Qt::endl;
    return code;
}

} // namespace SlipCommand
