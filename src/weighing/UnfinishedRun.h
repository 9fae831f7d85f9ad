#pragma once

#include <QString>

#include <optional>

// The packages added on the weighing screen live in the window until
// "Tartım Tamam" puts their total on an order row. A small file in the
// station folder keeps the product and its running total meanwhile, so a
// station that went down before that can tell the operator what was lost.
namespace UnfinishedRun {

inline const QString FileName = QStringLiteral("YarimTartim.txt");

struct Run
{
    QString product;
    double kilograms = 0;
    int packages = 0;
};

// Writes the run as it stands after a package was added; false when it
// could not be written (the weighing goes on: the record is a safety net).
bool keep(const QString &stationFolder, const Run &run);
// The run ended: on an order row, or given up by the operator.
void clear(const QString &stationFolder);
// The run a stopped station left, read and removed; none when there was none.
std::optional<Run> take(const QString &stationFolder);

// What the operator reads about a run that never reached the order.
QString lostNotice(const Run &run);

} // namespace UnfinishedRun
