#include "app/StationCommands.h"

#include "app/SettingNames.h"
#include "app/StaffCommand.h"
#include "staff/StaffPasswords.h"
#include "station/SettingsStore.h"
#include "station/StationTextFiles.h"
#include "station/Subcommand.h"
#include "data/DemoStation.h"
#include "journal/Journal.h"
#include "journal/JournalCommand.h"

#include <QCommandLineParser>
#include <QDir>

using namespace Qt::StringLiterals;

namespace StationCommands {
namespace {

const QString AppSection = u"Properties"_s;

// Password values are never printed, hashed or not.
const QString PasswordShown = u"(parola)"_s;
// Nor is the value of a name the station does not know: it may be a
// password set under a mistyped staff name.
const QString ValueWithheld = u"(değer yazılmadı)"_s;

void journalSetting(const QString &folder, const QString &name, const QString &value)
{
    Journal journal(folder);
    journal.setStaff(JournalCommand::commandUser());
    journal.setting(name, value);
}

int unreadable(const QString &problem, QTextStream &err)
{
    err << "config: Ayar dosyası okunamadı: " << problem << " (" << StationKey::defaultPath() << ')' << Qt::endl;
    return 1;
}

} // namespace

int initDemo(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(u"klasör"_s, u"doldurulacak istasyon klasörü"_s);
    parser.addOption({u"customers"_s, u"ek olarak üretilecek cari hesap sayısı"_s, u"n"_s, u"0"_s});
    parser.addOption({u"products"_s, u"ek olarak üretilecek ürün sayısı"_s, u"n"_s, u"0"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    const QString target = parser.positionalArguments().value(0, folder);
    DemoStation::Size size;
    size.extraCustomers = parser.value(u"customers"_s).toInt();
    size.extraProducts = parser.value(u"products"_s).toInt();
    QString error;
    if (!DemoStation::create(target, size, &error)) {
        err << "init-demo: " << error << Qt::endl;
        return 1;
    }
    out << "Örnek istasyon hazır: " << QDir(target).absolutePath() << Qt::endl;
    return 0;
}

int config(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(u"işlem"_s, u"get AD, set AD DEĞER ya da list"_s,
                                 u"get|set|list [AD] [DEĞER]"_s);
    parser.addOption({u"app"_s, u"istasyon anahtarı yerine uygulama ayarları"_s});
    parser.addOption({u"new"_s, u"ne bilinen bir ayar ne de personel olan bir adı yazar"_s});
    if (const auto stop = parseSubcommandArguments(parser, arguments, out, err))
        return *stop;
    const QStringList words = parser.positionalArguments();
    const QString action = words.value(0);
    const bool app = parser.isSet(u"app"_s);
    if (action == u"list"_s) {
        QString problem;
        const QStringList names = app ? AppSettingKeys(AppSection) : StationKey().names(&problem);
        if (!problem.isEmpty())
            return unreadable(problem, err);
        const QStringList staff = StationTextFiles::readStaff(folder);
        for (const QString &name : names) {
            const QString value = app ? GetAppSetting(AppSection, name)
                                      : regText(ReadRegValue(name));
            const bool password = !app && StaffPasswords::isPassword(name, value, staff);
            out << name << '=' << (password ? PasswordShown : value) << Qt::endl;
        }
        return 0;
    }
    if (action == u"get"_s && words.size() == 2) {
        if (app) {
            out << GetAppSetting(AppSection, words[1]) << Qt::endl;
            return 0;
        }
        const StationKey::Lookup found = StationKey().lookup(words[1]);
        if (!found.readable())
            return unreadable(found.problem, err);
        const auto &value = found.value;
        if (!value)
            return 1; // no value
        const bool password = StaffPasswords::isPassword(words[1], *value, StationTextFiles::readStaff(folder));
        out << (password ? PasswordShown : *value) << Qt::endl;
        return 0;
    }
    if (action == u"set"_s && words.size() == 3) {
        if (app) {
            if (!SaveAppSetting(AppSection, words[1], words[2])) {
                err << "config: uygulama ayarları yazılamadı" << Qt::endl;
                return 1;
            }
            journalSetting(folder, u"Properties/"_s + words[1], words[2]);
            return 0;
        }
        const QString &name = words[1];
        const QStringList staff = StationTextFiles::readStaff(folder);
        const bool isStaff = staff.contains(name, Qt::CaseInsensitive);
        const bool known = SettingNames::isKnown(name);
        if (!known && !isStaff && !parser.isSet(u"new"_s)
            && !StationKey().names().contains(name, Qt::CaseInsensitive)) {
            const QStringList near = SettingNames::nearest(name, SettingNames::known() + staff);
            err << "config: \"" << name << "\" ne bilinen bir ayar ne de Personel.Txt'de bir ad";
            if (!near.isEmpty())
                err << "; yakın adlar: " << near.join(u", "_s);
            err << " (yeni bir ad için --new)" << Qt::endl;
            return 2;
        }
        // A staff member's password is stored as its hash, as the keypad does.
        const bool password = isStaff || StaffPasswords::isPassword(name, regText(ReadRegValue(name)), staff);
        const bool written = password ? StaffPasswords().store(name, words[2]) : StationKey().write(name, words[2]);
        if (!written) {
            err << "config: yazılamadı: " << StationKey::defaultPath() << Qt::endl;
            return 1;
        }
        journalSetting(folder, name, password ? PasswordShown : known ? words[2] : ValueWithheld);
        return 0;
    }
    err << "kullanım: tavran config get|set|list [--app] [--new] [AD] [DEĞER]" << Qt::endl;
    return 2;
}

} // namespace StationCommands
