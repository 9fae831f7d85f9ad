#include "labels/LabelCommand.h"

#include "station/NumberText.h"
#include "station/StationTextFiles.h"
#include "station/Subcommand.h"
#include "data/Criteria.h"
#include "data/DataControl.h"
#include "data/ProductExtras.h"
#include "data/RecordSource.h"
#include "data/StationDatabase.h"
#include "journal/Journal.h"
#include "journal/JournalCommand.h"
#include "journal/JournalFile.h"
#include "labels/ChoosePrinter.h"
#include "labels/LabelJournal.h"
#include "labels/LotText.h"
#include "labels/PackageLabel.h"
#include "printing/CurrentPrinter.h"
#include "printing/PdfJob.h"
#include "printing/PrintJobResult.h"
#include "printing/PrinterJob.h"

#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QPrinter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace LabelCommand {
namespace {

// The label of `--product` and `--weight` as it would be printed today.
std::optional<PackageLabel> productLabel(const QCommandLineParser &parser, const QString &folder,
                                         QTextStream &err, int &exitCode)
{
    exitCode = 2;
    bool ok = false;
    QString weight = parser.value(u"weight"_s).trimmed();
    weight.replace(u',', u'.');
    const double kilograms = QLocale::c().toDouble(weight, &ok);
    // "nan" and "inf" read as numbers; no package weighs nothing or less.
    if (!ok || !std::isfinite(kilograms) || kilograms <= 0) {
        err << "label: ağırlık 0'dan büyük bir kilogram sayısı olmalı, \""
            << parser.value(u"weight"_s) << "\" değil" << Qt::endl;
        return std::nullopt;
    }
    const QString lot = parser.value(u"lot"_s);
    if (const QString refusal = LotText::refusal(lot); !refusal.isEmpty()) {
        err << "label: " << refusal << Qt::endl;
        return std::nullopt;
    }

    // Only the products' file: a reprint waits for no other file.
    const auto stok = std::make_shared<StationDatabase>(
        QDir(folder).filePath(Schema::fileName(Schema::File::Stok)), Schema::File::Stok);
    DataControl data4(u"Data4"_s);
    data4.bind(stok, RecordSources::products());
    RefreshDataControl(data4);
    Recordset *products = data4.recordset();
    const QString product = parser.value(u"product"_s);
    if (!products || !products->findFirst(Criteria::equals(u"Ürün"_s, product))) {
        // A file that could not be read is no missing product.
        const QString unread = !stok->isOpen() ? stok->openError()
                               : !products     ? QString()
                                               : products->lastError();
        if (!unread.isEmpty())
            err << "label: " << unread << Qt::endl;
        else
            err << "label: " << folder << " içinde \"" << product << "\" adında ürün yok" << Qt::endl;
        exitCode = 1;
        return std::nullopt;
    }

    PackageLabel label;
    label.product = products->value(u"Ürün"_s).toString();
    label.barkod = products->value(u"Barkod"_s).toString();
    label.weightText = NumberText::weightCaption(kilograms);
    label.headerLines = StationTextFiles::readHeaderLines(folder);
    label.today = QDate::currentDate();
    label.yearRule = parser.isSet(u"year"_s);
    label.barcode = LabelBarcodeSettings::read();
    // The product's own lot unless one is given; an unreadable tare must
    // not print a gross weight as net, so it stops the label.
    const auto extra = ProductExtras(stok->database()).read(label.product);
    if (!extra) {
        err << "label: ürünün dara ve parti bilgisi okunamadı" << Qt::endl;
        exitCode = 1;
        return std::nullopt;
    }
    label.lot = parser.isSet(u"lot"_s) ? lot : extra->lot;
    label.animal = extra->animal;
    label.gtin = extra->gtin;
    label.tareKg = extra->tareKg;
    return label;
}

// The label journal entry `--reprint` recorded, with its original dates and weight.
std::optional<PackageLabel> journalLabel(const QString &idText, const QString &folder, QTextStream &err)
{
    bool ok = false;
    const qint64 id = idText.toLongLong(&ok);
    QString error;
    const auto entry = ok ? JournalFile::entry(JournalFile::path(folder), id, &error) : std::nullopt;
    if (!entry) {
        err << "label: kayıt defterinde " << idText << " numaralı kayıt yok"
            << (error.isEmpty() ? QString() : u": "_s + error)
            << Qt::endl;
        return std::nullopt;
    }
    auto label = LabelJournal::label(*entry, StationTextFiles::readHeaderLines(folder));
    if (!label)
        err << "label: " << id << " numaralı kayıt bir etiket değil (" << entry->kind << ')' << Qt::endl;
    return label;
}

} // namespace

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({u"product"_s, u"listedeki ürün adı"_s, u"ad"_s});
    parser.addOption({u"weight"_s, u"kilogram olarak net toplam (1.5 ya da 1,5)"_s, u"kg"_s});
    parser.addOption({u"lot"_s, u"parti no (yoksa ürünün son partisi, o da yoksa üretim tarihi)"_s, u"parti"_s});
    parser.addOption({u"year"_s, u"son kullanma bir yıl sonra (yoksa Tavran.Txt'deki gün sayısı)"_s});
    parser.addOption({u"reprint"_s, u"bu kayıt defteri kaydının etiketi, basıldığı gibi"_s, u"no"_s});
    parser.addOption({u"printer"_s, u"basılacak yazıcı kuyruğu"_s, u"ad"_s});
    parser.addOption({u"pdf"_s, u"etiketi yazıcı yerine bir PDF dosyasına yazar"_s, u"dosya"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    const bool reprint = parser.isSet(u"reprint"_s);
    if (!reprint && (!parser.isSet(u"product"_s) || !parser.isSet(u"weight"_s))) {
        err << "kullanım: tavran label --product AD --weight KG [--lot PARTI] [--year] | --reprint NO "
               "[--printer AD | --pdf DOSYA]"
            << Qt::endl;
        return 2;
    }

    int exitCode = 1;
    const std::optional<PackageLabel> made = reprint
                                                 ? journalLabel(parser.value(u"reprint"_s), folder, err)
                                                 : productLabel(parser, folder, err, exitCode);
    if (!made)
        return exitCode;
    const PackageLabel &label = *made;
    if (const QString why = label.refusal(); !why.isEmpty()) {
        err << "label: etiket basılmadı: " << why << Qt::endl;
        return 1;
    }

    PrintJobResult result;
    QString printer;
    if (parser.isSet(u"pdf"_s)) {
        printer = u"PDF "_s + parser.value(u"pdf"_s);
        PdfJob job(parser.value(u"pdf"_s), u"Etiket"_s, label.pageTwips());
        label.draw(job, PackageLabel::Target::Page);
        result = job.endDoc();
    } else {
        if (parser.isSet(u"printer"_s)) {
            if (!CurrentPrinter::select(parser.value(u"printer"_s))) {
                err << "label: \"" << parser.value(u"printer"_s) << "\" adında yazıcı yok" << Qt::endl;
                return 1;
            }
        }
        PrinterJob job = parser.isSet(u"printer"_s) ? PrinterJob(CurrentPrinter::printer(), u"Etiket"_s)
                                                    : PrinterJob(LabelPrinterKey, u"Etiket"_s);
        printer = job.queueName();
        label.draw(job, PackageLabel::Target::Page);
        result = job.endDoc();
    }
    Journal journal(folder);
    journal.setStaff(JournalCommand::commandUser());
    journal.append(LabelJournal::entry(
        label, printer, result,
        reprint ? u"yeniden basım, kayıt "_s + parser.value(u"reprint"_s) : u"komut satırı"_s));
    if (!result.printed) {
        err << result.notice() << Qt::endl;
        return 1;
    }
    out << "Etiket yazdırıldı: " << label.product << ' ' << label.weightText.trimmed() << ' '
        << label.barcodeCode() << Qt::endl;
    return 0;
}

} // namespace LabelCommand
