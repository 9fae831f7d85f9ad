#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The shapes of reading text the station understands, chosen per scale by
// the application settings "ScaleFormat0" and "ScaleFormat1":
//   classic  a number and its unit ("+0012.345 kg", "   1.234 kg",
//            "+0001.250kg", "1250 g"; no unit is kg), no state;
//   st-gs    "ST,GS,+0001.250kg": ST stable, US moving, OL out of range,
//            GS gross, NT net or TR tare, a signed number, kg or g;
//   sics     "S S     1.250 kg" stable, "S D ..." moving, "S +" / "S -" out
//            of range, "S I" busy;
//   auto     st-gs or sics when the text is unmistakably one of them, else
//            classic.
enum class ScaleFormat { Classic, StGs, Sics, Auto };

std::optional<ScaleFormat> scaleFormatFromName(QStringView name);
QString scaleFormatName(ScaleFormat format);

// One reading as the live weight shows it.
struct WeightReading
{
    enum class State { Unreported, Stable, Moving, OutOfRange };
    // What the weight is of; formats that tell nothing send Plain. Other:
    // a tare (TR) or a kind the station does not know, never a package.
    enum class Kind { Plain, Gross, Net, Other };

    // Text3 without " Kg" ("1,250"); null when the reading holds no weight
    // at all (a busy scale): the live weight keeps its caption.
    QString display;
    State state = State::Unreported;
    Kind kind = Kind::Plain;
    // The weight in kg when the reading holds one in kg or g.
    std::optional<double> kg;
    // The unit of a weight in anything but kg or g ("lb"): shown with it,
    // never added.
    QString refusedUnit;
};

WeightReading ReadScaleText(const QString &text, ScaleFormat format);
