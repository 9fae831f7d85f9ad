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

#include <algorithm>

// A new subcommand is one line here and its own file.
namespace Subcommands {
namespace {

using Needs = Subcommand::Needs;
using Folder = Subcommand::Folder;

const Subcommand Table[] = {
    {u"init-demo", u"fill a station folder with demo data (creates it)", Needs::Console,
     Folder::Creates, &StationCommands::initDemo},
    {u"config", u"read or change the station key and the application settings", Needs::Console,
     Folder::Existing, &StationCommands::config},
    {u"staff", u"reset a staff member's password", Needs::Console, Folder::Existing,
     &StaffCommand::run},
    {u"journal", u"list the station's journal, write it to a CSV file or check its links", Needs::Console,
     Folder::Existing, &JournalCommand::run},
    {u"label", u"print a product's package label (a reprint)", Needs::Painting, Folder::Existing,
     &LabelCommand::run},
    {u"products", u"import or export the products as CSV", Needs::Console, Folder::Existing,
     &TableCommand::run},
    {u"customers", u"import or export the customer accounts as CSV", Needs::Console,
     Folder::Existing, &TableCommand::run},
    {u"report", u"daily or monthly shipment totals: a table, CSV, PDF or a printer",
     Needs::Painting, Folder::Existing, &ReportCommand::run},
    {u"slip", u"print the order slip of the order in progress again (a reprint)", Needs::Painting,
     Folder::Existing, &SlipCommand::run},
    {u"movements", u"the stock movements of a period, for accounting", Needs::Console,
     Folder::Existing, &MovementsCommand::run},
    {u"backup", u"copy the databases and text files into a folder, also while the station runs",
     Needs::Console, Folder::Existing, &BackupCommand::run},
    {u"check", u"run SQLite's integrity check on the three databases", Needs::Console,
     Folder::Existing, &CheckCommand::run},
    {u"db", u"set up the plant's central database, or copy a station folder onto it", Needs::Console,
     Folder::Unused, &DatabaseCommand::run},
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
