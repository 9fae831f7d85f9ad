#pragma once

#include <QString>

class Recordset;

// What the on-screen keyboards do to their search texts, and the search
// itself: the first record whose field starts with the text, compared the
// Turkish way without regard to case ("*" in the text matches any run).
namespace KeyboardSearch {

// The customer search text after key `index` (caption `caption`) is pressed.
QString afterCustomerKey(const QString &text, int index, const QString &caption);

// The product search text after key `index`; `foundName` is the product the
// last search found, whose first word "*" completes.
QString afterProductKey(const QString &text, int index, const QString &caption,
                        const QString &foundName);

// Makes the first record whose `field` starts with `text` current and
// returns its position; -1 (current record unchanged) when none does.
int findFirstStartingWith(Recordset &records, const QString &field, const QString &text);

} // namespace KeyboardSearch
