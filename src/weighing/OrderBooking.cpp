#include "weighing/OrderBooking.h"

#include "data/CentralLink.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "weighing/CentralBooking.h"

using namespace Qt::StringLiterals;

namespace OrderBooking {

void book(const StationData &data, const QDate &day, int alsatMode, const QString &customer,
          QObject *context, std::function<void(const BookingResult &)> done)
{
    if (!data.stok() || !data.tavran()) {
        BookingResult result;
        result.failure = u"sipariş veya stok hareketleri açılamadı"_s;
        done(result);
        return;
    }
    CentralLink *link = data.link();
    if (!link) {
        done(StockBooking::book(*data.stok(), *data.tavran(), day, alsatMode, customer));
        return;
    }
    // The worker opens the order file on its own connection: a connection
    // belongs to the thread that made it.
    const QString tavranPath = data.tavran()->path();
    link->run<BookingResult>(
        [tavranPath, day, alsatMode, customer](CentralDatabase &central) {
            const StationDatabase tavran(tavranPath, Schema::File::Tavran);
            return CentralBooking::book(central, tavran, day, alsatMode, customer);
        },
        context, [done](BookingResult result) { done(result); });
}

} // namespace OrderBooking
