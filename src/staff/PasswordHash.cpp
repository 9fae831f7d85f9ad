#include "staff/PasswordHash.h"

#include <QLoggingCategory>
#include <sodium.h>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPasswords, "tavran.staff.passwords")

namespace PasswordHash {
namespace {

PasswordHash::Cost &costInUse()
{
    static Cost cost = interactive();
    return cost;
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

Cost interactive()
{
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

Cost lightest()
{
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

Cost current()
{
    return costInUse();
}

void setCost(const Cost &cost)
{
    costInUse() = cost;
}

QString make(const QString &password)
{
    if (!sodiumReady())
        return {};
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES] = {};
    const Cost cost = costInUse();
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          cost.opsLimit, cost.memLimit)
        != 0) {
        qCWarning(lcPasswords) << "a password hash could not be made";
        return {};
    }
    return QString::fromLatin1(out);
}

bool isHash(const QString &stored)
{
    return stored.startsWith(u"$argon2id$"_s) || stored.startsWith(u"$argon2i$"_s);
}

bool matches(const QString &stored, const QString &typed)
{
    if (!sodiumReady() || !isHash(stored))
        return false;
    const QByteArray hash = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    // The length is the typed one: "12345" is not "1234" with one more key.
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size()))
           == 0;
}

} // namespace PasswordHash
