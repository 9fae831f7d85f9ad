#include "weighing/OrderBooking.h"

#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "weighing/CentralBooking.h"

using namespace Qt::StringLiterals;

namespace OrderBooking {

BookingResult book(const StationData &data, const QDate &day, int alsatMode)
{
    if (!data.stok() || !data.tavran()) {
        BookingResult result;
        result.failure = u"sipariş veya stok hareketleri açılamadı"_s;
        return result;
    }
    if (const auto server = data.server(); server && server->central())
        return CentralBooking::book(*server->central(), *data.tavran(), day, alsatMode);
    return StockBooking::book(*data.stok(), *data.tavran(), day, alsatMode);
}

} // namespace OrderBooking
