#include "web/BarChart.h"

#include "station/CsvWriter.h"
#include "station/NumberText.h"
#include "web/PageShell.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace BarChart {
namespace {

constexpr double BarsHeight = 180; // the largest total's bar
constexpr int Slot = 28;
constexpr int BarWidth = 20;
constexpr int LabelSpace = 90;
// Names under the bars only while they still fit beside each other.
constexpr int MostLabelled = 40;
constexpr int LabelLetters = 14;

QString number(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

QString svg(const QList<ProductTotal> &totals)
{
    double largest = 0;
    for (const ProductTotal &row : totals)
        largest = std::max(largest, std::abs(row.kilo));
    const bool labelled = totals.size() <= MostLabelled;
    const int width = std::max<int>(Slot, int(totals.size()) * Slot);
    const int height = int(BarsHeight) + 2 + (labelled ? LabelSpace : 0);
    QString out = u"<div class=\"grafik\"><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                  u"height=\"%2\" viewBox=\"0 0 %1 %2\" role=\"img\">"_s.arg(width)
                      .arg(height);
    for (qsizetype i = 0; i < totals.size(); ++i) {
        const ProductTotal &row = totals[i];
        const double barHeight = largest > 0 ? BarsHeight * std::abs(row.kilo) / largest : 0;
        const int x = int(i) * Slot + (Slot - BarWidth) / 2;
        const QString name = PageShell::escape(row.product);
        out += u"<rect class=\"bar%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" data-kg=\"%6\">"
               u"<title>%7: %8 Kg</title></rect>"_s.arg(row.kilo < 0 ? u" eksi"_s : QString())
                   .arg(x)
                   .arg(number(BarsHeight - barHeight))
                   .arg(BarWidth)
                   .arg(number(barHeight), CsvWriter::kilo(row.kilo), name, NumberText::grouped3(row.kilo));
        if (labelled) {
            out += u"<text transform=\"translate(%1,%2) rotate(60)\">%3</text>"_s.arg(x + BarWidth / 2)
                       .arg(int(BarsHeight) + 8)
                       .arg(PageShell::escape(row.product.size() > LabelLetters
                                                  ? row.product.left(LabelLetters - 1) + u'…'
                                                  : row.product));
        }
    }
    return out + u"</svg></div>"_s;
}

} // namespace BarChart
