#include "WeightSource.h"

#include <QFile>

using namespace Qt::StringLiterals;

WeightSource WeightSource::fromList(const QList<double> &weights)
{
    WeightSource source;
    for (const double weight : weights)
        source.m_texts.append(weightText(weight));
    return source;
}

WeightSource WeightSource::ramp(double target, int steps)
{
    WeightSource source;
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i)
        source.m_texts.append(weightText(target * i / steps));
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
            source.m_texts.append(line.mid(4));
            continue;
        }
        bool ok = false;
        const double weight = line.toDouble(&ok);
        if (!ok) {
            *error = u"%1:%2: not a weight: %3"_s.arg(path).arg(lineNumber).arg(QString::fromUtf8(line));
            return {};
        }
        source.m_texts.append(weightText(weight));
    }
    return source;
}

QByteArray WeightSource::weightText(double kilograms)
{
    return QString::asprintf("%+09.3f kg", kilograms).toLatin1();
}

QByteArray WeightSource::next()
{
    if (m_texts.isEmpty())
        return {};
    const QByteArray text = m_texts.at(m_next);
    if (m_next + 1 < m_texts.size())
        ++m_next;
    else if (m_repeat)
        m_next = 0;
    return text;
}
