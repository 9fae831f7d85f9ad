#include "app/Subcommands.h"

#include "app/BackupCommand.h"
#include "app/CheckCommand.h"
#include "app/DatabaseCommand.h"
#include "app/StaffCommand.h"
#include "app/StationCommands.h"
#include "journal/JournalCommand.h"
#include "labels/LabelCommand.h"
#include "office/MovementsCommand.h"
#include "office/ReportCommand.h"
#include "office/SlipCommand.h"
#include "office/TableCommand.h"
#include "office/TraceCommand.h"
#include "web/ServeCommand.h"

#include <algorithm>

// A new subcommand is one line here and its own file.
namespace Subcommands {
namespace {

using Needs = Subcommand::Needs;
using Folder = Subcommand::Folder;

const Subcommand Table[] = {
    {u"init-demo", u"bir istasyon klasörünü örnek verilerle doldurur (yoksa oluşturur)", Needs::Console,
     Folder::Creates, &StationCommands::initDemo},
    {u"config", u"istasyon anahtarını ve uygulama ayarlarını okur ya da değiştirir", Needs::Console,
     Folder::Existing, &StationCommands::config},
    {u"staff", u"bir personelin şifresini siler", Needs::Console, Folder::Existing,
     &StaffCommand::run},
    {u"journal", u"istasyonun kayıt defterini listeler, CSV dosyasına yazar ya da zincirini denetler", Needs::Console,
     Folder::Existing, &JournalCommand::run},
    {u"label", u"bir ürünün paket etiketini basar (yeniden basım)", Needs::Painting, Folder::Existing,
     &LabelCommand::run},
    {u"products", u"ürünleri CSV olarak içe ya da dışa aktarır", Needs::Console, Folder::Existing,
     &TableCommand::run},
    {u"customers", u"cari hesapları CSV olarak içe ya da dışa aktarır", Needs::Console,
     Folder::Existing, &TableCommand::run},
    {u"report", u"günlük ya da aylık sevkiyat toplamları: tablo, CSV, PDF ya da yazıcı",
     Needs::Painting, Folder::Existing, &ReportCommand::run},
    {u"slip", u"süren siparişin fişini yeniden basar", Needs::Painting,
     Folder::Existing, &SlipCommand::run},
    {u"movements", u"muhasebe için bir dönemin stok hareketleri", Needs::Console,
     Folder::Existing, &MovementsCommand::run},
    {u"trace", u"paket izlenebilirliği: bir partinin paketleri, bir etiket, bir cariye giden partiler",
     Needs::Console, Folder::Existing, &TraceCommand::run},
    {u"backup", u"veritabanlarını ve metin dosyalarını bir klasöre kopyalar, istasyon çalışırken de",
     Needs::Console, Folder::Existing, &BackupCommand::run},
    {u"check", u"üç veritabanının bütünlüğünü SQLite ile denetler", Needs::Console,
     Folder::Existing, &CheckCommand::run},
    {u"db", u"tesisin merkez veritabanını kurar ya da bir istasyon klasörünü ona aktarır", Needs::Console,
     Folder::Unused, &DatabaseCommand::run},
    {u"serve", u"tesisin günlük ve aylık üretimini salt okunur web sayfaları olarak sunar", Needs::Console,
     Folder::Existing, &ServeCommand::run},
};

} // namespace

std::span<const Subcommand> all()
{
    return Table;
}

const Subcommand *find(QStringView name)
{
    const auto found = std::find_if(std::begin(Table), std::end(Table),
                                    [name](const Subcommand &command) { return command.name == name; });
    return found == std::end(Table) ? nullptr : found;
}

} // namespace Subcommands
