#pragma once

#include "weighing/StockBooking.h"

#include <QDate>
#include <functional>

class QObject;
class StationData;

// Books the station's unbooked order rows where its stock movements live:
// the station folder's file, or the central server the station is bound to.
namespace OrderBooking {

// `done` gets how it went: at once for the station folder, later (on the
// caller's thread, while the window goes on) for the server. Not called when
// `context` is gone by then. The rows' packages are tied to `customer`.
void book(const StationData &data, const QDate &day, int alsatMode, const QString &customer, QObject *context,
          std::function<void(const BookingResult &)> done);

} // namespace OrderBooking
