#include "weighing/StockBooking.h"

#include "data/Recordset.h"
#include "weighing/WeighingLog.h"

using namespace Qt::StringLiterals;

namespace StockBooking {
namespace {

// StokHaraket's fields by position.
enum MovementField { Tarih = 0, Urun = 1, Miktar = 2, Alsat = 3 };

bool appendMovement(Recordset &movements, const QDate &day, const QString &product, double kilo,
                    int alsatMode)
{
    const bool ok = movements.addNew()
                    && movements.setValue(Tarih, day.toString(Qt::ISODate))
                    && movements.setValue(Urun, product) && movements.setValue(Miktar, kilo)
                    && movements.setValue(Alsat, alsatMode) && movements.update();
    if (!ok)
        movements.cancelUpdate();
    return ok;
}

bool markBooked(Recordset &orderRows)
{
    const bool ok = orderRows.edit() && orderRows.setValue(u"Tamam"_s, 0) && orderRows.update();
    if (!ok)
        orderRows.cancelUpdate();
    return ok;
}

// Takes back the movement appended last.
bool takeBack(Recordset &movements)
{
    return movements.moveLast() && movements.remove();
}

QString failureText(const QString &product, int booked, const QString &error)
{
    return u"«%1» işlenemedi (%2); %3 satır işlendi, kalanlar bir sonraki fişte işlenir"_s
        .arg(product, error)
        .arg(booked);
}

} // namespace

BookingResult book(Recordset &orderRows, Recordset &movements, const QDate &day, int alsatMode)
{
    BookingResult result;
    const int tamam = orderRows.fieldIndex(u"Tamam"_s);
    for (bool more = orderRows.moveFirst(); more && orderRows.hasCurrent(); more = orderRows.moveNext()) {
        if (orderRows.value(tamam).toInt() == 0)
            continue;
        const QString product = orderRows.value(u"Ürün"_s).toString();
        const double kilo = orderRows.value(u"Kilo"_s).toDouble();
        if (!appendMovement(movements, day, product, kilo, alsatMode)) {
            result.failure = failureText(product, result.booked, movements.lastError());
            break;
        }
        if (!markBooked(orderRows)) {
            const QString error = orderRows.lastError();
            if (!takeBack(movements))
                qCCritical(lcWeighing) << "movement of" << product
                                       << "could not be taken back:" << movements.lastError();
            result.failure = failureText(product, result.booked, error);
            break;
        }
        ++result.booked;
    }
    if (!result.ok())
        qCWarning(lcWeighing) << "booking stopped:" << result.failure;
    return result;
}

} // namespace StockBooking
