#include "app/StaffCommand.h"

#include "app/LoginLockout.h"
#include "app/StaffPasswords.h"
#include "station/StationTextFiles.h"
#include "journal/Journal.h"
#include "journal/JournalCommand.h"

using namespace Qt::StringLiterals;

namespace StaffCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 3 || arguments[1] != u"reset"_s) {
        err << "usage: tavran staff reset NAME" << Qt::endl;
        return 2;
    }
    const QString name = arguments[2];
    const StationKey key;
    if (!key.read(name)) {
        const bool listed = StationTextFiles::readStaff(folder).contains(name);
        err << "staff: " << name << (listed ? " has no password" : " has no password and is not in Personel.Txt")
            << Qt::endl;
        return 1;
    }
    if (!StaffPasswords(key).reset(name)) {
        err << "staff: cannot write " << key.path() << Qt::endl;
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
