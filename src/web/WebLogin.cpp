#include "web/WebLogin.h"

#include "journal/Journal.h"
#include "station/StationTextFiles.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcWebLogin, "tavran.web.login")

WebLogin::WebLogin(QString stationFolder, StationKey key, LoginLockout::Clock clock)
    : m_folder(std::move(stationFolder))
    , m_passwords(key)
    , m_lockout(key, std::move(clock))
{
}

WebLogin::Result WebLogin::check(const QString &name, const QString &password) const
{
    const QString wrong = u"Ad ya da şifre yanlış"_s;
    // Any other name would reach values of the station key that are no
    // password (an old clear password is compared as typed).
    if (name.isEmpty() || !StationTextFiles::readStaff(m_folder).contains(name)) {
        qCInfo(lcWebLogin) << "refused a login for a name not on the staff list";
        return {Outcome::Wrong, wrong};
    }
    if (const qint64 locked = m_lockout.secondsLeft(name); locked > 0)
        return {Outcome::Locked, LoginLockout::message(locked), locked};
    if (password.isEmpty())
        return {Outcome::Wrong, wrong}; // no attempt, as an empty entry at the keypad
    QString problem;
    switch (m_passwords.check(name, password, &problem)) {
    case StaffPasswords::Check::Correct:
        m_lockout.clear(name);
        qCInfo(lcWebLogin) << "web login of" << name;
        journal(name, true, {});
        return {Outcome::Correct, {}};
    case StaffPasswords::Check::NoPassword:
        return {Outcome::NoPassword, u"Bu personelin şifresi yok: önce istasyonda bir şifre girin"_s};
    case StaffPasswords::Check::Unreadable:
        qCWarning(lcWebLogin) << "the station key could not be read:" << problem;
        journal(name, false, u"Ayar dosyası okunamadı: "_s + problem);
        return {Outcome::Unreadable, u"Şifreler okunamadı: "_s + problem};
    case StaffPasswords::Check::Wrong:
        break;
    }
    qCInfo(lcWebLogin) << "wrong web password for" << name;
    const qint64 locked = m_lockout.recordWrong(name);
    journal(name, false, locked > 0 ? u"şifre yanlış, kilitlendi"_s : u"şifre yanlış"_s);
    if (locked > 0)
        return {Outcome::Locked, LoginLockout::message(locked), locked};
    return {Outcome::Wrong, wrong};
}

void WebLogin::journal(const QString &name, bool accepted, const QString &reason) const
{
    // In the station's journal like a login at the keypad, marked as made on the web.
    Journal(m_folder).login(name, accepted, reason.isEmpty() ? WebMark : WebMark + u": "_s + reason);
}
