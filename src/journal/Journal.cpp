#include "journal/Journal.h"

#include "station/SettingsStore.h"
#include "journal/JournalFile.h"
#include "printing/PrintJobResult.h"

#include <QHostInfo>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcJournal, "tavran.journal")

Journal::Journal(const QString &stationFolder, QObject *parent)
    : QObject(parent)
    , m_file(JournalFile::path(stationFolder))
    , m_station(defaultStationName())
{
}

QString Journal::defaultStationName()
{
    const QString name = regText(ReadRegValue(u"StationName"_s)).trimmed();
    return name.isEmpty() ? QHostInfo::localHostName() : name;
}

bool Journal::append(JournalEntry entry)
{
    if (!entry.time.isValid())
        entry.time = QDateTime::currentDateTime();
    if (entry.station.isEmpty())
        entry.station = m_station;
    if (entry.staff.isEmpty())
        entry.staff = m_staff;
    QString error;
    if (JournalFile::append(m_file, entry, &error)) {
        m_failureShown = false;
        return true;
    }
    qCWarning(lcJournal) << "journal entry" << entry.kind << "not written to" << m_file << error;
    if (!m_failureShown) {
        m_failureShown = true;
        emit unwritable(u"Kayıt defteri yazılamıyor (%1): %2"_s.arg(m_file, error));
    }
    return false;
}

void Journal::login(const QString &name, bool accepted, const QString &reason)
{
    if (accepted)
        m_staff = name;
    JournalEntry e;
    e.kind = accepted ? JournalKind::Login : JournalKind::LoginRefused;
    e.staff = name;
    e.reason = reason;
    append(e);
}

void Journal::finishedProduct(const QString &product, double kilograms, const QString &barcode)
{
    JournalEntry e;
    e.kind = JournalKind::Product;
    e.product = product;
    e.kilograms = kilograms;
    e.barcode = barcode;
    append(e);
}

void Journal::package(const QString &product, double kilograms, const QString &barkod, const QString &lot,
                      const QString &animal)
{
    JournalEntry e;
    e.kind = JournalKind::Package;
    e.product = product;
    e.kilograms = kilograms;
    e.barkod = barkod;
    e.detail = u"Parti: "_s + lot;
    if (!animal.isEmpty())
        e.detail += u", Hayvan: "_s + animal;
    append(e);
}

void Journal::slip(const QString &customer, int rows, double kilograms, const QString &printer,
                   const PrintJobResult &result)
{
    JournalEntry e;
    e.kind = result.printed ? JournalKind::Slip : JournalKind::SlipAbandoned;
    e.customer = customer;
    e.rows = rows;
    e.kilograms = kilograms;
    e.printer = printer;
    e.reason = result.reason;
    append(e);
}

void Journal::booking(const QString &customer, int rows, double kilograms, int alsatMode,
                      const QString &failure)
{
    JournalEntry e;
    e.kind = JournalKind::Booking;
    e.customer = customer;
    e.rows = rows;
    e.kilograms = kilograms;
    e.salePurchase = alsatMode == 0 ? u"satış"_s : u"alış"_s;
    e.reason = failure;
    append(e);
}

void Journal::report(const QString &what, const QString &printer, const PrintJobResult &result)
{
    JournalEntry e;
    e.kind = result.printed ? JournalKind::Report : JournalKind::ReportAbandoned;
    e.detail = what;
    e.printer = printer;
    e.reason = result.reason;
    append(e);
}

void Journal::setting(const QString &name, const QString &value)
{
    JournalEntry e;
    e.kind = JournalKind::Setting;
    e.detail = name + u'=' + value;
    append(e);
}

void Journal::stationSetting(const QString &name, const QString &value, bool app)
{
    static const QStringList WindowPlace = {u"EtTop"_s, u"EtLeft"_s, u"EtWidth"_s, u"EtHeight"_s};
    if (!app && WindowPlace.contains(name, Qt::CaseInsensitive))
        return;
    setting(app ? u"Properties/"_s + name : name, value);
}
