#pragma once

#include <QStringList>

class StationData;

// What the operator must be told at start-up about the station's databases:
// one Turkish line for each file that could not be opened (its lists stay
// empty) or can only be read (nothing booked would be kept).
namespace StationHealth {

QStringList problems(const StationData &data);

} // namespace StationHealth
