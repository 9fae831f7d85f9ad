#include "weighing/UnfinishedRun.h"

#include "station/NumberText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace UnfinishedRun {

bool keep(const QString &stationFolder, const Run &run)
{
    // Written whole beside the old one and renamed over it: a power cut
    // leaves the previous package's record, never half of this one.
    QSaveFile file(QDir(stationFolder).filePath(FileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = u"%1\n%2\n%3\n"_s.arg(run.product, QString::number(run.kilograms, 'f', 3))
                             .arg(run.packages);
    file.write(text.toUtf8());
    return file.commit();
}

void clear(const QString &stationFolder)
{
    QFile::remove(QDir(stationFolder).filePath(FileName));
}

std::optional<Run> take(const QString &stationFolder)
{
    QFile file(QDir(stationFolder).filePath(FileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    file.close();
    file.remove();
    bool kilogramsRead = false;
    bool packagesRead = false;
    Run run{lines.value(0), lines.value(1).toDouble(&kilogramsRead), lines.value(2).toInt(&packagesRead)};
    if (run.product.isEmpty() || !kilogramsRead || !packagesRead || run.packages <= 0)
        return std::nullopt;
    return run;
}

QString lostNotice(const Run &run)
{
    return u"Kesintide yarım kalan tartım siparişe girmedi: «%1», %2 paket, %3 Kg — paketleri yeniden tartın"_s
        .arg(run.product)
        .arg(run.packages)
        .arg(NumberText::grouped3(run.kilograms));
}

} // namespace UnfinishedRun
