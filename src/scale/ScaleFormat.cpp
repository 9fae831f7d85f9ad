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

// A signed decimal number and the unit behind it, as scales write them:
// "+0001.250kg", "-  0.5 kg", "   1.234 kg", "1250 g", "12.345".
struct Measure
{
    double value = 0.0;
    QString unit;    // empty when none was sent
    QStringView rest; // whatever follows the unit
};

std::optional<Measure> readMeasure(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        for (++i; i < text.size() && text[i] == u' '; ++i) {
        }
    }
    QString number;
    bool seenDigit = false;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
            number += c;
        } else if ((c == u'.' || c == u',') && !seenPoint) {
            seenPoint = true;
            number += u'.';
        } else {
            break;
        }
    }
    // "1.2.3 kg" or "12-5 kg" is no number with a tail.
    if (i < text.size() && text[i] != u' ' && !text[i].isLetter())
        return std::nullopt;
    bool ok = false;
    const double value = seenDigit ? QStringView(number).toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    QStringView rest = text.sliced(i).trimmed();
    qsizetype letters = 0;
    while (letters < rest.size() && rest[letters].isLetter())
        ++letters;
    return Measure{negative ? -value : value, rest.first(letters).toString(),
                   rest.sliced(letters).trimmed()};
}

QString shown(double value, const QString &unit, QStringView asSent)
{
    if (std::fabs(value) >= ExactDigitsBound)
        return asSent.toString(); // as the scale sent it
    const QString number = NumberText::fixed(value, 3);
    return unit.isEmpty() ? number : number + u' ' + unit;
}

WeightReading withWeight(State state, const std::optional<Measure> &measure, QStringView asSent)
{
    WeightReading reading;
    reading.state = state;
    if (!measure) {
        reading.display = asSent.isEmpty() ? u""_s : asSent.toString();
        return reading;
    }
    const QString unit = measure->unit.toLower();
    if (unit.isEmpty() || unit == u"kg" || unit == u"g") {
        reading.kg = unit == u"g" ? measure->value / 1000.0 : measure->value;
        reading.display = shown(*reading.kg, QString(), asSent);
    } else {
        // Pounds or ounces are no kilograms: shown with their unit.
        reading.refusedUnit = measure->unit;
        reading.display = shown(measure->value, measure->unit, asSent);
    }
    return reading;
}

// A field that must hold nothing but the weight.
std::optional<Measure> readWeightField(QStringView field)
{
    auto measure = readMeasure(field);
    if (measure && !measure->rest.isEmpty())
        measure.reset();
    return measure;
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
    WeightReading reading = withWeight(state, readWeightField(t.sliced(6)), t);
    const QStringView kind = t.sliced(3, 2);
    reading.kind = kind == u"GS" ? WeightReading::Kind::Gross
                 : kind == u"NT" ? WeightReading::Kind::Net
                                 : WeightReading::Kind::Other;
    return reading;
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
        return withWeight(State::OutOfRange, std::nullopt, t);
    return withWeight(status == u'S' ? State::Stable : State::Moving, readWeightField(rest.sliced(1)),
                      t);
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
        return looksStGs(t) ? readStGs(t) : withWeight(State::OutOfRange, std::nullopt, t);
    if (format == ScaleFormat::Sics)
        return looksSics(t) ? readSics(t) : withWeight(State::OutOfRange, std::nullopt, t);

    // Whatever follows the unit is the scale's own business.
    const auto measure = readMeasure(t);
    if (measure && std::fabs(measure->value) < ExactDigitsBound)
        return withWeight(State::Unreported, measure, t);
    // Text that is no number, or one too large for a weight, is shown the
    // way it always was, never added.
    WeightReading reading;
    reading.display = ParseScaleReading(t.toString());
    if (reading.display.isNull())
        reading.display = u""_s; // no weight, yet a caption: " Kg "
    return reading;
}
