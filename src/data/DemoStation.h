#pragma once

#include <QString>

// Fills a station folder with believable data for trying the station out
// and for the benchmarks: accounts, products, a staff list and header lines.
namespace DemoStation {

struct Size
{
    int extraCustomers = 0; // generated accounts beyond the hand-written ones
    int extraProducts = 0;
};

// Creates the folder's files; existing databases get the demo rows added only
// when their tables are empty. False when a file cannot be written.
bool create(const QString &folder, Size size = {}, QString *error = nullptr);

} // namespace DemoStation
