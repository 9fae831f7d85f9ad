#pragma once

#include <QByteArray>
#include <QString>

// The read-only token of a wall screen (application setting "WebToken"),
// sent as "Authorization: Bearer TOKEN". No token set: no token is accepted.
class BearerToken
{
public:
    static constexpr const char16_t *SettingName = u"WebToken";

    explicit BearerToken(const QString &token);
    // From the application settings.
    static BearerToken fromSettings();

    bool isSet() const { return !m_digest.isEmpty(); }
    // Whether an Authorization header's value carries the token; the
    // comparison takes as long wherever the first differing byte is.
    bool matches(const QByteArray &authorization) const;

private:
    QByteArray m_digest; // SHA-256 of the token, so lengths never show either
};
