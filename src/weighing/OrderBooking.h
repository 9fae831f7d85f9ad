#pragma once

#include "weighing/StockBooking.h"

#include <QDate>

class StationData;

// Books the station's unbooked order rows where its stock movements live:
// the station folder's file, or the central server the station is bound to.
namespace OrderBooking {

BookingResult book(const StationData &data, const QDate &day, int alsatMode);

} // namespace OrderBooking
