#include "app/StaffCommand.h"

#include "staff/LoginLockout.h"
#include "staff/StaffPasswords.h"
#include "station/StationTextFiles.h"
#include "station/Subcommand.h"
#include "journal/Journal.h"
#include "journal/JournalCommand.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace StaffCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(u"reset"_s, u"reset AD: personelin şifresini siler"_s,
                                 u"reset AD"_s);
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    const QStringList words = parser.positionalArguments();
    if (words.size() != 2 || words[0] != u"reset"_s) {
        err << "kullanım: tavran staff reset AD" << Qt::endl;
        return 2;
    }
    const QString name = words[1];
    const StationKey key;
    if (!key.read(name)) {
        const bool listed = StationTextFiles::readStaff(folder).contains(name);
        err << "staff: " << name << (listed ? ": şifresi yok" : ": şifresi yok ve Personel.Txt'de de yok")
            << Qt::endl;
        return 1;
    }
    if (!StaffPasswords(key).reset(name)) {
        err << "staff: yazılamadı: " << key.path() << Qt::endl;
        return 1;
    }
    // A forgotten password is no reason to keep the member waiting.
    LoginLockout(key).clear(name);
    Journal journal(folder);
    journal.setStaff(JournalCommand::commandUser());
    journal.setting(name, u"(parola silindi)"_s);
    out << name << ": şifre silindi; ilk girişte yeni şifre belirlenir" << Qt::endl;
    return 0;
}

} // namespace StaffCommand
