#include "journal/JournalCommand.h"

#include "station/CsvWriter.h"
#include "station/NumberText.h"
#include "station/Subcommand.h"
#include "journal/JournalFile.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace JournalCommand {
namespace {

const QStringList Columns = {u"no"_s,      u"zaman"_s,    u"istasyon"_s, u"personel"_s,
                             u"işlem"_s,   u"ürün"_s,     u"kg"_s,       u"barkod"_s,
                             u"üretim"_s,  u"son tüketim"_s, u"yazıcı"_s, u"müşteri"_s,
                             u"satır"_s,   u"satış/alış"_s, u"neden"_s,  u"ayrıntı"_s};

QStringList fields(const JournalEntry &e)
{
    return {QString::number(e.id),
            e.time.toString(u"yyyy-MM-dd HH:mm:ss"_s),
            e.station,
            e.staff,
            e.kind,
            e.product,
            e.kilograms ? NumberText::fixed(*e.kilograms, 3) : QString(),
            e.barcode,
            e.productionDate,
            e.useByDate,
            e.printer,
            e.customer,
            e.rows ? QString::number(*e.rows) : QString(),
            e.salePurchase,
            e.reason,
            e.detail};
}

std::optional<QDate> dateOption(const QCommandLineParser &parser, const QString &name, QTextStream &err)
{
    if (!parser.isSet(name))
        return QDate();
    const QDate day = QDate::fromString(parser.value(name), Qt::ISODate);
    if (!day.isValid()) {
        err << "journal: tarih değil (YYYY-AA-GG): " << parser.value(name) << Qt::endl;
        return std::nullopt;
    }
    return day;
}

int verify(const QString &file, QTextStream &out, QTextStream &err)
{
    JournalFile::Verdict verdict;
    QString error;
    if (!JournalFile::verify(file, verdict, &error)) {
        err << "journal: denetlenemedi: " << file << ": " << error << Qt::endl;
        return 1;
    }
    if (!verdict.intact()) {
        out << "Kayıt " << verdict.firstBad << ": " << verdict.why << Qt::endl;
        return 1;
    }
    out << "Kayıt defteri sağlam: " << verdict.chained << " kayıt zincirde";
    if (verdict.unchained > 0)
        out << ", " << verdict.unchained << " eski kayıt zincirden önce yazılmış (denetlenemez)";
    out << Qt::endl;
    return 0;
}

} // namespace

QString commandUser()
{
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    return u"komut satırı ("_s + (user.isEmpty() ? u"?"_s : user) + u')';
}

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({u"day"_s, u"tek bir gün"_s, u"tarih"_s});
    parser.addOption({u"from"_s, u"ilk gün"_s, u"tarih"_s});
    parser.addOption({u"to"_s, u"son gün"_s, u"tarih"_s});
    parser.addOption({u"staff"_s, u"tek bir personel"_s, u"ad"_s});
    parser.addOption({u"csv"_s, u"listelemek yerine CSV dosyasına yazar"_s, u"dosya"_s});
    parser.addOption({u"verify"_s,
                      u"her kaydın zincir bağını denetler; uymayan ilk kaydı bildirip 1 ile çıkar"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    if (parser.isSet(u"verify"_s))
        return verify(JournalFile::path(folder), out, err);
    if (parser.positionalArguments().size() > 1
        || (parser.isSet(u"day"_s) && (parser.isSet(u"from"_s) || parser.isSet(u"to"_s)))) {
        err << "kullanım: tavran journal [--day YYYY-AA-GG | --from YYYY-AA-GG --to YYYY-AA-GG] "
               "[--staff AD] [--csv DOSYA] | --verify"
            << Qt::endl;
        return 2;
    }
    JournalFile::Filter filter;
    const auto day = dateOption(parser, u"day"_s, err);
    const auto from = dateOption(parser, u"from"_s, err);
    const auto to = dateOption(parser, u"to"_s, err);
    if (!day || !from || !to)
        return 2;
    filter.from = day->isValid() ? *day : *from;
    filter.to = day->isValid() ? *day : *to;
    filter.staff = parser.value(u"staff"_s);

    QList<JournalEntry> entries;
    QString error;
    const QString file = JournalFile::path(folder);
    if (!JournalFile::read(file, filter, entries, &error)) {
        err << "journal: okunamadı: " << file << ": " << error << Qt::endl;
        return 1;
    }

    if (parser.isSet(u"csv"_s)) {
        QSaveFile csv(parser.value(u"csv"_s));
        if (!csv.open(QIODevice::WriteOnly)) {
            err << "journal: yazılamadı: " << csv.fileName() << ": " << csv.errorString() << Qt::endl;
            return 1;
        }
        QByteArray text = CsvWriter::record(Columns, CsvWriter::Quote::All);
        for (const JournalEntry &e : entries)
            text += CsvWriter::record(fields(e), CsvWriter::Quote::All);
        csv.write(text);
        if (!csv.commit()) {
            err << "journal: yazılamadı: " << csv.fileName() << ": " << csv.errorString() << Qt::endl;
            return 1;
        }
        out << entries.size() << " kayıt yazıldı: " << csv.fileName() << Qt::endl;
        return 0;
    }
    for (const JournalEntry &e : entries) {
        const QStringList values = fields(e);
        QStringList shown;
        for (int i = 0; i < values.size(); ++i) {
            if (i < 5)
                shown << values[i];
            else if (!values[i].isEmpty())
                shown << Columns[i] + u'=' + values[i];
        }
        out << shown.join(u"  "_s) << Qt::endl;
    }
    return 0;
}

} // namespace JournalCommand
