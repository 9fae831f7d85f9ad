#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the simulated scale shows, one reading after the other: a list of
// weights in turn, a ramp that settles on a stable weight, or a script whose
// lines are weights or raw texts ("raw:" followed by the text).
class WeightSource
{
public:
    static WeightSource fromList(const QList<double> &weights);
    static WeightSource ramp(double target, int steps);
    // Empty source and `error` set when the file cannot be read or has a bad line.
    static WeightSource fromScript(const QString &path, QString *error);

    // The scale's text for one weight: "+0012.345 kg".
    static QByteArray weightText(double kilograms);

    bool isEmpty() const { return m_texts.isEmpty(); }
    // The next reading without its line end; a list or script starts over, a
    // ramp stays on its last value.
    QByteArray next();

private:
    QList<QByteArray> m_texts;
    qsizetype m_next = 0;
    bool m_repeat = true;
};
