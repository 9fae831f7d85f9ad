#pragma once

#include "printing/PrintTools.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

// What the weighing and slip tests read back from the outside: the files a
// PDF queue writes, the barcodes on them and the stock movements booked.
namespace WeighingTestTools {

// The PDF files of a queue's folder.
inline QStringList queueFiles(const QString &queue)
{
    return QDir(PrintTools::cupsOutputDir(queue)).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// Waits for a complete PDF the queue did not hold in `before`; its path, or
// an empty text when none came within 20 s.
inline QString waitForNewPdf(const QString &queue, const QStringList &before)
{
    const QDir dir(PrintTools::cupsOutputDir(queue));
    QString arrived;
    const bool came = QTest::qWaitFor(
        [&] {
            for (const QString &name : queueFiles(queue)) {
                QFile file(dir.filePath(name));
                if (!before.contains(name) && file.open(QIODevice::ReadOnly)
                    && file.readAll().trimmed().endsWith("%%EOF"))
                    arrived = file.fileName();
            }
            return !arrived.isEmpty();
        },
        20000);
    return came ? arrived : QString();
}

// The barcodes on the PDF's first page without their check digits, sorted.
inline QStringList barcodePayloads(const QString &pdf)
{
    QTemporaryDir scratch;
    QStringList codes = PrintTools::decodeBarcodes(PrintTools::rasterize(pdf, 300, scratch.path()),
                                                   scratch.path())
                            .split(u'\n', Qt::SkipEmptyParts);
    for (QString &code : codes)
        code = code.trimmed().left(12);
    codes.sort();
    return codes;
}

// Stock movements as "date|product|kilo|alsat", in the order they were written.
inline QStringList movementsIn(const QSqlDatabase &stok)
{
    QSqlQuery query(stok);
    QStringList rows;
    if (!query.exec(QStringLiteral("SELECT Tarih, \"Ürün\", Miktar, Alsat FROM StokHaraket ORDER BY rowid")))
        return {QStringLiteral("query failed")};
    while (query.next()) {
        rows << QStringLiteral("%1|%2|%3|%4")
                    .arg(query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toString(), query.value(3).toString());
    }
    return rows;
}

} // namespace WeighingTestTools
