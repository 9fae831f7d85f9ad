#pragma once

#include <QString>

// How old the live weight may grow and still become a package: the
// application setting "MaxReadingAgeMs", 1500 ms unless set and, for a
// polled scale, at least twice its poll interval; 0 switches the limit off
// for indicators that send only when their print key is pressed. An older
// weight shows "Terazi yok" and is never added.
namespace ReadingAge {

constexpr int DefaultLimitMs = 1500;

// `setting` as written; `pollIntervalMs` 0 for a scale that is not polled.
// Returns 0 for no limit.
int limitMs(const QString &setting, int pollIntervalMs);
// From the application settings.
int limitFromSettings(int pollIntervalMs);

bool isFresh(qint64 ageMs, int limitMs);

} // namespace ReadingAge
