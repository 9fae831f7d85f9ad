#include "web/BearerToken.h"

#include "station/SettingsStore.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace {

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

BearerToken::BearerToken(const QString &token)
    : m_digest(token.trimmed().isEmpty() ? QByteArray() : digest(token.trimmed().toUtf8()))
{
}

BearerToken BearerToken::fromSettings()
{
    return BearerToken(GetAppSetting(u"Properties"_s, QString::fromUtf16(SettingName)));
}

bool BearerToken::matches(const QByteArray &authorization) const
{
    constexpr QByteArrayView Scheme = "bearer ";
    if (!isSet() || authorization.size() <= Scheme.size()
        || authorization.first(Scheme.size()).toLower() != Scheme)
        return false;
    const QByteArray offered = digest(authorization.sliced(Scheme.size()).trimmed());
    unsigned char difference = 0;
    for (qsizetype i = 0; i < m_digest.size(); ++i)
        difference |= static_cast<unsigned char>(offered[i] ^ m_digest[i]);
    return difference == 0;
}
