#include "scale/ScaleFormat.h"

#include "station/NumberText.h"
#include "scale/ScaleReading.h"

#include <QStringList>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using State = WeightReading::State;

// Beyond this a number's digits would be made up in the formatting.
constexpr double ExactDigitsBound = 1e15;

// "+0001.250", "-  0.5", "1250": a decimal point number, blanks allowed
// after the sign.
std::optional<double> readNumber(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == u'+' || text.front() == u'-') {
        negative = text.front() == u'-';
        text = text.sliced(1).trimmed();
    }
    bool seenDigit = false;
    bool seenPoint = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            seenDigit = true;
        else if (c == u'.' && !seenPoint)
            seenPoint = true;
        else
            return std::nullopt;
    }
    if (!seenDigit)
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// The weight of a number with its unit ("+0001.250kg", "1250 g"); grams
// become kilograms. No value for another unit or no number.
std::optional<double> readWeight(QStringView text)
{
    text = text.trimmed();
    double factor = 1.0;
    if (text.endsWith(u"kg", Qt::CaseInsensitive))
        text.chop(2);
    else if (text.endsWith(u"g", Qt::CaseInsensitive)) {
        text.chop(1);
        factor = 0.001;
    }
    const auto value = readNumber(text);
    if (!value)
        return std::nullopt;
    return *value * factor;
}

WeightReading withWeight(State state, std::optional<double> kg, const QString &asSent)
{
    WeightReading reading;
    reading.state = state;
    reading.kg = kg;
    if (kg && std::fabs(*kg) < ExactDigitsBound)
        reading.display = NumberText::fixed(*kg, 3);
    else
        reading.display = asSent; // shown as the scale sent it
    if (reading.display.isNull())
        reading.display = u""_s;
    return reading;
}

bool looksStGs(QStringView t)
{
    if (t.size() < 6 || t[2] != u',' || t[5] != u',')
        return false;
    const QStringView header = t.first(2);
    return (header == u"ST" || header == u"US" || header == u"OL") && t[3].isLetter()
        && t[4].isLetter();
}

bool looksSics(QStringView t)
{
    if (t.size() < 3 || t[0] != u'S' || t[1] != u' ')
        return false;
    const QStringView rest = t.sliced(2).trimmed();
    if (rest.isEmpty())
        return false;
    const QChar status = rest.front();
    return (status == u'S' || status == u'D' || status == u'+' || status == u'-' || status == u'I')
        && (rest.size() == 1 || rest[1] == u' ');
}

WeightReading readStGs(QStringView t)
{
    const QStringView header = t.first(2);
    const State state = header == u"ST" ? State::Stable
                      : header == u"US" ? State::Moving
                                        : State::OutOfRange;
    return withWeight(state, readWeight(t.sliced(6)), t.toString());
}

WeightReading readSics(QStringView t)
{
    const QStringView rest = t.sliced(2).trimmed();
    const QChar status = rest.front();
    if (status == u'I') {
        WeightReading busy;
        busy.state = State::Moving;
        return busy;
    }
    if (status == u'+' || status == u'-')
        return withWeight(State::OutOfRange, std::nullopt, t.toString());
    return withWeight(status == u'S' ? State::Stable : State::Moving, readWeight(rest.sliced(1)),
                      t.toString());
}

} // namespace

std::optional<ScaleFormat> scaleFormatFromName(QStringView name)
{
    name = name.trimmed();
    if (name.isEmpty() || name.compare(u"classic", Qt::CaseInsensitive) == 0)
        return ScaleFormat::Classic;
    if (name.compare(u"st-gs", Qt::CaseInsensitive) == 0)
        return ScaleFormat::StGs;
    if (name.compare(u"sics", Qt::CaseInsensitive) == 0)
        return ScaleFormat::Sics;
    if (name.compare(u"auto", Qt::CaseInsensitive) == 0)
        return ScaleFormat::Auto;
    return std::nullopt;
}

QString scaleFormatName(ScaleFormat format)
{
    switch (format) {
    case ScaleFormat::StGs: return u"st-gs"_s;
    case ScaleFormat::Sics: return u"sics"_s;
    case ScaleFormat::Auto: return u"auto"_s;
    case ScaleFormat::Classic: break;
    }
    return u"classic"_s;
}

WeightReading ReadScaleText(const QString &text, ScaleFormat format)
{
    const QStringView t = QStringView(text).trimmed();
    if (format == ScaleFormat::Auto)
        format = looksStGs(t) ? ScaleFormat::StGs : looksSics(t) ? ScaleFormat::Sics : ScaleFormat::Classic;

    // Text that is not of the scale's format is no weight: shown, never added.
    if (format == ScaleFormat::StGs)
        return looksStGs(t) ? readStGs(t) : withWeight(State::OutOfRange, std::nullopt, t.toString());
    if (format == ScaleFormat::Sics)
        return looksSics(t) ? readSics(t) : withWeight(State::OutOfRange, std::nullopt, t.toString());

    WeightReading reading;
    reading.display = ParseScaleReading(text);
    if (reading.display.isNull())
        reading.display = u""_s; // no weight, yet a caption: " Kg "
    reading.kg = NumberText::parse(reading.display);
    return reading;
}
