#pragma once

#include <QString>

// What a live weight must be to become a package: a finite number, not zero,
// no larger than the station's capacity (application setting "MaxKg",
// 3000 kg unless set). Anything else is shown but never added.
namespace ScaleCapacity {

constexpr double DefaultMaxKg = 3000.0;

// The capacity setting; an unusable value keeps the default.
double maxKg();

// Whether the live-weight caption ("12,345 Kg ") may be added as a package.
bool isAddable(const QString &caption, double maxKg);

} // namespace ScaleCapacity
