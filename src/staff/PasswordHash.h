#pragma once

#include <QString>
#include <cstddef>

// Staff passwords as salted, slow Argon2id hashes in libsodium's text form
// ("$argon2id$v=19$m=...,t=...,p=1$salt$hash"), so the station key never
// holds the digits themselves.
namespace PasswordHash {

struct Cost
{
    unsigned long long opsLimit;
    std::size_t memLimit;
};

// The interactive cost: a login well under a second on a station PC.
Cost interactive();
// The lowest cost libsodium allows: for tests only, to keep their runs short.
Cost lightest();
// The cost new hashes are made with (interactive unless set otherwise).
Cost current();
void setCost(const Cost &cost);

// The hash of `password`; empty when it cannot be made (out of memory).
QString make(const QString &password);
// Whether `stored` is a hash (anything else is a clear password left by an
// older station).
bool isHash(const QString &stored);
// Whether `typed`, all of it, is the password hashed in `stored`.
bool matches(const QString &stored, const QString &typed);

} // namespace PasswordHash
