#include "office/OfficeCommands.h"

#include "office/MovementsCommand.h"
#include "office/ReportCommand.h"
#include "office/SlipCommand.h"
#include "office/TableCommand.h"

using namespace Qt::StringLiterals;

namespace OfficeCommands {

bool handles(const QString &command)
{
    return TableCommand::handles(command) || command == u"report"_s || command == u"slip"_s
           || command == u"movements"_s;
}

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    const QString command = arguments.value(0);
    if (command == u"report"_s)
        return ReportCommand::run(arguments, folder, out, err);
    if (command == u"slip"_s)
        return SlipCommand::run(arguments, folder, out, err);
    if (command == u"movements"_s)
        return MovementsCommand::run(arguments, folder, out, err);
    return TableCommand::run(arguments, folder, out, err);
}

} // namespace OfficeCommands
