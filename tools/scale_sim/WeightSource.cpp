#include "WeightSource.h"

#include <QFile>
#include <cmath>

using namespace Qt::StringLiterals;

WeightSource WeightSource::fromList(const QList<double> &weights)
{
    WeightSource source;
    for (const double weight : weights)
        source.m_entries.append(Entry{weight, {}});
    return source;
}

WeightSource WeightSource::ramp(double target, int steps)
{
    WeightSource source;
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i)
        source.m_entries.append(Entry{target * i / steps, {}});
    source.m_repeat = false;
    return source;
}

WeightSource WeightSource::fromScript(const QString &path, QString *error)
{
    WeightSource source;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return source;
    }
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("raw:")) {
            source.m_entries.append(Entry{std::nullopt, line.mid(4)});
            continue;
        }
        bool ok = false;
        const double weight = line.toDouble(&ok);
        if (!ok) {
            *error = u"%1:%2: not a weight: %3"_s.arg(path).arg(lineNumber).arg(QString::fromUtf8(line));
            return {};
        }
        source.m_entries.append(Entry{weight, {}});
    }
    return source;
}

QByteArray WeightSource::weightText(double kilograms, Format format, State state, double capacity)
{
    const bool outOfRange = capacity > 0.0 && std::fabs(kilograms) > capacity;
    switch (format) {
    case Format::StGs: {
        const char *header = outOfRange ? "OL" : state == State::Stable ? "ST" : "US";
        return QString::asprintf("%s,GS,%+09.3fkg", header, kilograms).toLatin1();
    }
    case Format::Sics:
        if (outOfRange)
            return kilograms > 0 ? "S +" : "S -";
        return QString::asprintf("S %c %9.3f kg", state == State::Stable ? 'S' : 'D', kilograms)
            .toLatin1();
    case Format::Classic: break;
    }
    return QString::asprintf("%+09.3f kg", kilograms).toLatin1();
}

QByteArray WeightSource::text(const Entry &entry, Format format, State state, double capacity)
{
    return entry.kg ? weightText(*entry.kg, format, state, capacity) : entry.raw;
}

WeightSource::Entry WeightSource::next()
{
    if (m_entries.isEmpty())
        return {};
    const Entry entry = m_entries.at(m_next);
    if (m_next + 1 < m_entries.size())
        ++m_next;
    else if (m_repeat)
        m_next = 0;
    return entry;
}
