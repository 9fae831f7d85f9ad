#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What the simulated scale shows, one reading after the other: a list of
// weights in turn, a ramp that settles on a stable weight, or a script whose
// lines are weights or raw texts ("raw:" followed by the text).
class WeightSource
{
public:
    enum class Format { Classic, StGs, Sics };
    enum class State { Stable, Moving };

    // One reading to send: a weight, or a raw text sent as it is.
    struct Entry
    {
        std::optional<double> kg;
        QByteArray raw;
        bool operator==(const Entry &) const = default;
    };

    static WeightSource fromList(const QList<double> &weights);
    static WeightSource ramp(double target, int steps);
    // Empty source and `error` set when the file cannot be read or has a bad line.
    static WeightSource fromScript(const QString &path, QString *error);

    // The scale's text for one weight in a format: "+0012.345 kg",
    // "ST,GS,+0012.345kg", "S S    12.345 kg". A weight beyond `capacity`
    // is sent as out of range where the format can say so.
    static QByteArray weightText(double kilograms, Format format = Format::Classic,
                                 State state = State::Stable, double capacity = 0.0);
    static QByteArray text(const Entry &entry, Format format, State state, double capacity);

    bool isEmpty() const { return m_entries.isEmpty(); }
    // The next reading; a list or script starts over, a ramp stays on its
    // last value.
    Entry next();

private:
    QList<Entry> m_entries;
    qsizetype m_next = 0;
    bool m_repeat = true;
};
